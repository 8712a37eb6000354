#pragma once

#include <QCollator>

// Map names and preview files are listed in the user's locale order with
// letter case ignored, so "alpha", "Bravo" and "charlie" read as expected.
QCollator nameCollator();
