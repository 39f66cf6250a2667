#include "catalog/deepsky_data.h"

#include "catalog/catalog_file_type.h"
#include "catalog/deepsky_data_d1.h"
#include "catalog/deepsky_data_d2.h"

namespace celvaro {

int deepskySettingsType(int type) {
  switch (type) {
    case 11: return kGlobularCluster;
    case 12: return kBrightNebula;
    case 13: return kClusterWithNebula;
    case 14: return kOpenCluster;
    default: return type;
  }
}

std::unique_ptr<iDeepskyData> deepskyCatalogOfType(int fileType) {
  if (fileType == kFileDeepskyV3) return std::make_unique<DeepskyDataD1>();
  if (fileType == kFileDeepskyV4) return std::make_unique<DeepskyDataD2>();
  return nullptr;
}

std::string namedIdentifierText(int code, int32_t number) {
  switch (code) {
    case kIdMessier: return "M " + std::to_string(number);
    case kIdNgc: return "NGC " + std::to_string(number);
    case kIdIc: return "IC " + std::to_string(number);
    default: return {};
  }
}

}  // namespace celvaro
