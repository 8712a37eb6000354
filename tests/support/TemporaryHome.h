#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

// Gives every test a fresh, empty HOME so nothing reads or writes the real
// home folder, and removes it afterwards.
class TemporaryHome final : public testing::EmptyTestEventListener
{
public:
    void OnTestStart(const testing::TestInfo &) override;
    void OnTestEnd(const testing::TestInfo &) override;

private:
    std::unique_ptr<QTemporaryDir> m_home;
};

// Installs TemporaryHome and runs every test.
int runAllTests();
