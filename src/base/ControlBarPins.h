#pragma once

#include <QString>

// The SHA-256 digests (lowercase hexadecimal) of the Control Bar Pro 1.2
// archives, one per screen size, and of the GenTool archive whose d3d8.dll
// Tarnhold installs beside them.
struct ControlBarPins
{
    QString interface720 = QStringLiteral("a49570d9db4661bb6cb5082d15a9708f8e47a36c63a3d732f3cc3a26b31b2946");
    QString interface1080 = QStringLiteral("5b987cb864aaf1c55ac8f4cf8dbf28a9473e1233bbe34f05316bfee5b7eb0836");
    QString interface1440 = QStringLiteral("e5021b5e76a7646ae027d3104b8da5e2fcb104007fb82213d8a84205a2e1ede9");
    QString genTool = QStringLiteral("373465e016efca0a0732d7698a1f623ff93a36b9659723e5b5d19317ad0137e1");

    bool operator==(const ControlBarPins &) const = default;
};
