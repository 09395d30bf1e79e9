#include "MenuRouting.h"

TMenuRouting& MenuRouting() {
  static TMenuRouting routing;
  return routing;
}
