#include "app/WindowParts.h"

#include "catalog/CatalogCommandSet.h"

namespace tunelark {

WindowParts::WindowParts(Ui& ui)
    : window_(state_.results, state_.qualities),
      services_(window_, state_, ui),
      catalog_(std::make_unique<CatalogCommandSet>(state_.results, state_.qualities, services_,
                                                   state_.workers)),
      commands_(window_, ui, *catalog_) {}

}  // namespace tunelark
