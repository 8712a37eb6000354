#pragma once

#include "platform/LinuxPlatform.h"

// This system's platform, with the resources (the Wine runtime) of the
// sandbox's world.
class SandboxPlatform final : public LinuxPlatform
{
public:
    explicit SandboxPlatform(QString resources)
        : m_resources(std::move(resources))
    {}

    QString resourcesFolder() const override { return m_resources; }

private:
    QString m_resources;
};
