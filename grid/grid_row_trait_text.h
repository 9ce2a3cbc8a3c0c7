// CGridRowTraitText: the default row trait, drawing every row the standard
// way; the grid holds one from its construction until another replaces it.
//
// Owned by the grid it is given to. GUI thread only.
#pragma once

#include "grid/grid_row_trait.h"

class CGridRowTraitText : public CGridRowTrait {
public:
    CGridRowTraitText() = default;
};
