#include "maps/MapLibraryScan.h"
#include "support/FileTree.h"

#include <gtest/gtest.h>

using namespace FileTree;

namespace {

struct ManagedListCase
{
    const char *label;
    std::optional<QByteArray> contents; // absent: no file at all
    QSet<QString> expected;

    friend void PrintTo(const ManagedListCase &testCase, std::ostream *out) { *out << testCase.label; }
};

class ReadManagedMapNames : public testing::TestWithParam<ManagedListCase>
{};

} // namespace

TEST_P(ReadManagedMapNames, GivesLoweredNamesOrNothing)
{
    const QString file = inHome(QStringLiteral("CommunityContent/installed-maps.json"));
    if (GetParam().contents)
        writeFile(file, *GetParam().contents);
    EXPECT_EQ(readManagedMapNames(file), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReadManagedMapNames,
    testing::Values(ManagedListCase{"Names",
                                    QByteArray(R"(["Alpine [RANK]", "Twin Rivers", "Ünter"])"),
                                    {QStringLiteral("alpine [rank]"), QStringLiteral("twin rivers"),
                                     QStringLiteral("ünter")}},
                    ManagedListCase{"EmptyArray", QByteArray("[]"), {}}, ManagedListCase{"Missing", std::nullopt, {}},
                    ManagedListCase{"NotJson", QByteArray("Alpine [RANK]\n"), {}},
                    ManagedListCase{"Truncated", QByteArray(R"(["Alpine", "Twin)"), {}},
                    ManagedListCase{"Object", QByteArray(R"({"maps": ["Alpine"]})"), {}},
                    ManagedListCase{"NonStringEntry", QByteArray(R"(["Alpine", 3, "Twin Rivers"])"), {}},
                    ManagedListCase{"NestedArray", QByteArray(R"([["Alpine"]])"), {}}),
    [](const testing::TestParamInfo<ManagedListCase> &info) { return info.param.label; });
