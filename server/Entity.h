// Building and freeing the server's character-entity map (used by the server's Create and destructor).
#pragma once

#include "platform/afx/afx.h"

namespace kor {
// Empties the map, gives it 7 buckets and inserts the 100 entities, each as a new CEntityCode.
void FillEntityMap(CMapStringToOb& map);
// Deletes every CEntityCode of the map, then empties it.
void FreeEntityMap(CMapStringToOb& map);
} // namespace kor
