#include "telescope/mount_protocol.h"

#include "telescope/altaz_motor_protocol.h"
#include "telescope/equatorial_motor_protocol.h"
#include "telescope/lx200_protocol.h"
#include "telescope/mount_types.h"
#include "telescope/nexstar_protocol.h"
#include "telescope/old_nexstar_protocol.h"
#include "telescope/own_controller_protocol.h"

namespace celvaro {

std::unique_ptr<iMountProtocol> createMountProtocol(int mountType, const ProtocolContext& context,
                                                    int eastWestSwapPosition) {
  switch (mountType) {
    case kMountOldNexstar: return std::make_unique<OldNexstarProtocol>(context);
    case kMountNexstar: return std::make_unique<NexstarProtocol>(context);
    case kMountMotorEquatorial:
      return std::make_unique<EquatorialMotorProtocol>(context, eastWestSwapPosition);
    case kMountMotorAltAz: return std::make_unique<AltAzMotorProtocol>(context);
    case kMountOwnController: return std::make_unique<OwnControllerProtocol>(context);
    case kMountLx200: return std::make_unique<Lx200Protocol>(context);
    default: return nullptr;
  }
}

}  // namespace celvaro
