#pragma once
#include <string>

// The two localised names the catalog operations need: the catalog that takes entries without
// a catalog, and the caption of the root node of both catalog trees (selecting it shows all).
struct CatalogCaptions {
    std::string defaultName;
    std::string rootCaption;
};
