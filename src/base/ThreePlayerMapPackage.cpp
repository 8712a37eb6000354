#include "base/ThreePlayerMapPackage.h"

QList<ThreePlayerMapPackage> plainThreePlayerMapPackages()
{
    // Names are used exactly as the site spells them, letter case included.
    return {
        {220, QStringLiteral("Atomic Tundra"),
         QStringLiteral("5f871b1b21683324f44aff1f0f8b739ee3ed2533505677dff45baa7841ebdbec")},
        {587, QStringLiteral("Urban Paradise"),
         QStringLiteral("b5278b210c9af53fb8e66a8d9cd4eae973e1a9a758466c2394c34281a4e77463")},
        {1552, QStringLiteral("Nuke Site"),
         QStringLiteral("1254589270a40b5d23ca876564b1c68b47030460b25a2954b93f57f309deb904")},
        {1659, QStringLiteral("Mountain Climb"),
         QStringLiteral("6f31806a0f5cfb0b7aa9878bbd5159e85e3ed79f415f672b51c0db4cd04bf5e2")},
        {1888, QStringLiteral("Whiteout Abyss"),
         QStringLiteral("196d5fa9c28fa419a7d541cef32c3535526070e172ac87221bfcaf44b0632423")},
        {2409, QStringLiteral("Boktiso City (ZH)"),
         QStringLiteral("0335a2ea7c999c2fdd0dd8621928ab554cb7c00ad1e51dee1d0ab524424be716")},
        {2607, QStringLiteral("siege of king"),
         QStringLiteral("531dbaf9ef73e11290b85bdaf180b2a3691ffafbb813c2f93343987650f94707")},
        {2644, QStringLiteral("ParadiseInRuins [CUSTOM]"),
         QStringLiteral("2912fae7abac699a878d59eb3ca7f9918b269ad7ad6e4494f1e3994163fa2bc4")},
        {2703, QStringLiteral("star for three"),
         QStringLiteral("6585d89d9fcc1d1fba6d716bd8bcc8fbdc2d50d1372897d6685dbe32e0535d89")},
        {2767, QStringLiteral("Road to Deryabinsk"),
         QStringLiteral("f85226e0d40835d0e601a70d165fa523bc7184b18c71c1bea23d5263ff576d8d")},
        {2863, QStringLiteral("Ramadan 3 players 3 vs"),
         QStringLiteral("a5e9370ac1c602450399cb0ca6d4449e38da68169b88df7c267ff6e9e00f3bff")},
    };
}
