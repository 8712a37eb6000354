#pragma once

// The game rebuilds "MapCache.ini" in its Maps folder when it is missing, and
// a stale one hides maps that changed; every change to the folder removes
// it. Throws a UserFacingError when it is there but cannot be removed.
void removeMapCache();
