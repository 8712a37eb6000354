#pragma once

#include "app/TarnholdModel.h"
#include "support/TestServices.h"
#include "ui/design/VevoAppearance.h"
#include "ui/shell/ContentView.h"

#include <gtest/gtest.h>

#include <QTest>

// The window's content on its own, drawn without motion unless a test
// allows it, at the window's default size.
class ShellTest : public testing::Test
{
protected:
    FakePlatform platform;
    FixtureServer server;
    TarnholdModel model{std::make_unique<FakePlatform>(), TestServices::catalogAt(server)};
    OperationState &operation = model.operation();
    VevoAppearance appearance{platform};
    std::unique_ptr<ContentView> content;

    void SetUp() override
    {
        platform.reducedMotion = true;
        platform.preferencesChanged();
        content = std::make_unique<ContentView>(model, appearance);
        content->resize(1100, 720);
        content->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(content.get()));
    }

    template <typename Widget>
    Widget *find(const QString &name) const
    {
        return content->findChild<Widget *>(name);
    }
};
