#include "projection/transformer.h"
#include "projection/transformer_equal_area.h"
#include "projection/transformer_equidistant.h"
#include "projection/transformer_gnomonic.h"
#include "projection/transformer_orthographic.h"
#include "projection/transformer_stereographic.h"

namespace celvaro {

std::unique_ptr<iTransformer> createTransformer(uint32_t projectionId) {
  switch (projectionId) {
    case kProjectionEqualArea:
      return std::make_unique<TransformerEqualArea>();
    case kProjectionEquidistant:
      return std::make_unique<TransformerEquidistant>();
    case kProjectionStereographic:
      return std::make_unique<TransformerStereographic>();
    case kProjectionGnomonic:
      return std::make_unique<TransformerGnomonic>();
    default:  // orthographic, and the conic and cylindrical ids that have no law
      return std::make_unique<TransformerOrthographic>();
  }
}

}  // namespace celvaro
