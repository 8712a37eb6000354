#pragma once

#include "app/TarnholdModel.h"
#include "support/FakePlatform.h"

#include <gtest/gtest.h>

#include <QCoroTask>

// A model on the fake platform, built fresh for each test inside the
// test's temporary home.
class ModelTest : public testing::Test
{
protected:
    TarnholdModel model{std::make_unique<FakePlatform>()};

    void refresh() { QCoro::waitFor(model.refresh()); }
};
