#include "telescope/mount_protocol.h"

#include "telescope/altaz_motor_protocol.h"
#include "telescope/equatorial_motor_protocol.h"
#include "telescope/mount_types.h"

namespace celvaro {

std::unique_ptr<iMountProtocol> createMountProtocol(int mountType, const ProtocolContext& context,
                                                    int eastWestSwapPosition) {
  switch (mountType) {
    case kMountMotorEquatorial:
      return std::make_unique<EquatorialMotorProtocol>(context, eastWestSwapPosition);
    case kMountMotorAltAz: return std::make_unique<AltAzMotorProtocol>(context);
    default: return nullptr;
  }
}

}  // namespace celvaro
