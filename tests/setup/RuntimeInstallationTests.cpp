#include "SetupFlowTest.h"
#include "base/Locations.h"
#include "support/Installation.h"

#include <QDir>

using namespace FileTree;
using namespace Qt::StringLiterals;

namespace {

// Each form replaces the earlier runtime as a whole, and an earlier runtime
// that is a link goes without emptying what it points to. The folder wins
// over the archive, whose entries sit below one top-level folder.
TEST_F(SetupFlowTest, InstallsTheRuntimeFolderOrElseItsArchiveInPlaceOfTheOldOne)
{
    const QString installed = Locations::currentRuntimeFolder();
    const QString elsewhere = inHome(u"Elsewhere"_s);
    const auto installedHas = [&](const QString &item) { return QFileInfo::exists(installed + u'/' + item); };
    Installation::addRuntime(inHome(u"top"_s));
    writeFile(inHome(u"top/from-archive"_s));
    // The linked case runs first, while nothing is installed yet.
    for (const auto &[folder, archive, linked] :
         {std::tuple{true, true, true}, std::tuple{false, true, false}, std::tuple{true, false, false}}) {
        SCOPED_TRACE(testing::Message() << "folder " << folder << ", archive " << archive);
        QDir(platform.resources).removeRecursively();
        if (folder) {
            Installation::addRuntime(platform.resources + u"/Runtime"_s);
            writeFile(platform.resources + u"/Runtime/from-folder"_s);
        }
        if (archive)
            pack(platform.resources + u"/runtime-sse2-full.tar.xz"_s, home(), {u"top"_s});
        writeFile((linked ? elsewhere : installed) + u"/stale"_s);
        if (linked)
            makeSymlink(elsewhere, installed);
        await(flow.installRuntime());
        EXPECT_EQ(operation.errorMessage(), std::nullopt);
        EXPECT_EQ(flow.setupStep(), SetupStep::steam);
        EXPECT_EQ(operation.activity(), u"Installing the free Wine runtime…"_s);
        EXPECT_TRUE(isExecutableFile(installed + u"/bin/wine"_s));
        EXPECT_EQ(installedHas(u"from-folder"_s), folder);
        EXPECT_EQ(installedHas(u"from-archive"_s), !folder);
        EXPECT_FALSE(installedHas(u"stale"_s) || QFileInfo(installed).isSymLink());
    }
    EXPECT_TRUE(QFileInfo::exists(elsewhere + u"/stale"_s));
}

} // namespace
