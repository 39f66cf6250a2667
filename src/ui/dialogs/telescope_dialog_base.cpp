#include "ui/dialogs/telescope_dialog_base.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <initializer_list>

#include "app/app_model.h"
#include "app/chart_navigator.h"
#include "model/text_ids.h"
#include "telescope/link_status_codes.h"
#include "telescope/mount_types.h"
#include "ui/dialogs/control_texts.h"
#include "ui/dialogs/dlg_scope_spiral_search.h"
#include "ui/dialogs/dlg_telescope_connect.h"
#include "ui/spiral_search_panel.h"
#include "ui/telescope_readouts.h"

namespace celvaro {
namespace {

// Link directions: 0 up, 1 down, 2 right, 3 left; 4 stops everything.
constexpr int kStopAll = 4;
constexpr int kUp = 1 << 0, kDown = 1 << 1, kRight = 1 << 2, kLeft = 1 << 3;

struct DirectionButton {
  const char* arrow;
  int directions;  // bit d: link direction d; a diagonal moves both axes
};

// Buttons 201..208 in reading order around Stop.
constexpr DirectionButton kDirections[] = {{"\u2196", kUp | kLeft}, {"\u2191", kUp},   {"\u2197", kUp | kRight},
                                           {"\u2190", kLeft},       {"\u2192", kRight}, {"\u2199", kDown | kLeft},
                                           {"\u2193", kDown},       {"\u2198", kDown | kRight}};

const DirectionButton& directionOf(int id) { return kDirections[id - TelescopeDialogBase::kFirstDirection]; }

// Calls `call` with each link direction of a direction button, in order.
template <typename Call>
void forEachDirection(int id, Call call) {
  for (int direction = 0; direction < kStopAll; ++direction) {
    if (directionOf(id).directions & (1 << direction)) call(direction);
  }
}

constexpr int kDefaultRate = 2;
constexpr int kLinkUpCode = linkEstablishedCode(0);

using Base = TelescopeDialogBase;

// The captions of the shared controls; the right ascension and declination
// captions of a position carry the ids of its values + 1000.
constexpr ControlText kSharedTexts[] = {
    {Base::kConnect, 14700, "Connect"},
    {Base::kDisconnect, 14701, "Disconnect"},
    {Base::kStop, 14702, "Stop"},
    {Base::kSlow, 14703, "Slow:"},
    {Base::kFast, 14704, "Fast:"},
    {Base::kScopeBox, 14705, "Scope"},
    {Base::kTargetBox, 14706, "Target"},
    {Base::kScopeRa + 1000, text_id::kRaCaption, "RA"},
    {Base::kScopeDec + 1000, text_id::kDecCaption, "Dec"},
    {Base::kTargetRa + 1000, text_id::kRaCaption, "RA"},
    {Base::kTargetDec + 1000, text_id::kDecCaption, "Dec"},
    {Base::kGetPosition, 14707, "Get pos"},
    {Base::kGoto, 14708, "Goto"},
    {Base::kTracking, 14709, "Tracking"},
    {Base::kSetPark, 14710, "Set park"},
    {Base::kGotoPark, 14711, "Go to park"},
    {Base::kScopeMode, 14712, "Scope mode"},
    {Base::kMapMode, 14713, "Map mode"},
    {Base::kSpiralSearch, 14714, "Spiral search"},
    {Base::kSpiralStart, 14746, "Start"},
    {Base::kSpiralSettings, 14747, "Settings..."},
};

}  // namespace

TelescopeDialogBase::TelescopeDialogBase(UiResources& resources, AppModel& model,
                                         TelescopeControlDlgCallback*& listenerSlot)
    : FwDialogBaseScroll(resources), model_(model), listenerSlot_(listenerSlot), gamepadButtons_(model.gamepad, *this) {}

TelescopeDialogBase::~TelescopeDialogBase() { detach(); }

template <typename Call>
void TelescopeDialogBase::onLink(Call call) {
  if (iTelescopeControl* link = model_.telescope()) call(*link);
}

// --- controls ----------------------------------------------------------------------

int TelescopeDialogBase::addTelescopeControls(int row) {
  row = addConnectRows(row);
  row = addMotionRows(row);
  row = addPositionRows(row);
  row = addActionRows(row);
  showControlTexts(*this, resources(), kSharedTexts);
  applyCapabilities(0);
  showMapMode();
  return row;
}

int TelescopeDialogBase::addConnectRows(int row) {
  grid()->addWidget(button(kConnect, {}), row, 0);
  grid()->addWidget(button(kDisconnect, {}), row, 1);
  grid()->addWidget(label(kMountName, ""), row + 1, 0, 1, 2);
  QLabel* status = label(kStatus, "");
  status->setWordWrap(true);
  // Room for two lines, so a long status does not move the controls below.
  status->setMinimumHeight(2 * status->fontMetrics().lineSpacing());
  grid()->addWidget(status, row + 2, 0, 1, 2);
  return row + 3;
}

int TelescopeDialogBase::addMotionRows(int row) {
  auto* pad = new QGridLayout;
  for (int id = kFirstDirection; id <= kLastDirection; ++id) {
    const int cell = id - kFirstDirection < 4 ? id - kFirstDirection : id - kFirstDirection + 1;  // Stop in the middle
    pad->addWidget(button(id, QString::fromUtf8(directionOf(id).arrow)), cell / 3, cell % 3);
    wireDirection(id);
  }
  pad->addWidget(button(kStop, {}), 1, 1);
  grid()->addLayout(pad, row, 0, 1, 2);
  grid()->addWidget(radioButton(kSlow, {}, true), row + 1, 0);
  grid()->addWidget(bareSlider(kSlowRate, 0, kMaxRate, kDefaultRate), row + 1, 1);
  grid()->addWidget(radioButton(kFast, {}, false), row + 2, 0);
  grid()->addWidget(bareSlider(kFastRate, 0, kMaxRate, kDefaultRate), row + 2, 1);
  pairButtons(kSlow, kFast);
  return row + 3;
}

// The "Scope" and "Target" groups, each with its right ascension and
// declination; the captions of values v carry the ids v + 1000.
int TelescopeDialogBase::addPositionRows(int row) {
  const int boxes[] = {kScopeBox, kTargetBox}, firstValues[] = {kScopeRa, kTargetRa};
  for (int g = 0; g < 2; ++g) {
    const int first = firstValues[g];
    auto* box = new QGroupBox(window());
    box->setObjectName(objectName(boxes[g]));
    auto* values = new QGridLayout(box);
    values->addWidget(label(first + 1000, {}), 0, 0);
    values->addWidget(label(first, ""), 0, 1);
    values->addWidget(label(first + 1001, {}), 1, 0);
    values->addWidget(label(first + 1, ""), 1, 1);
    grid()->addWidget(box, row, g);
  }
  return row + 1;
}

int TelescopeDialogBase::addActionRows(int row) {
  grid()->addWidget(button(kGetPosition, {}), row, 0);
  grid()->addWidget(button(kGoto, {}), row, 1);
  grid()->addWidget(checkBox(kTracking, {}, false), row + 1, 0, 1, 2);
  grid()->addWidget(button(kSetPark, {}), row + 2, 0);
  grid()->addWidget(button(kGotoPark, {}), row + 2, 1);
  grid()->addWidget(radioButton(kScopeMode, {}, false), row + 3, 0);
  grid()->addWidget(radioButton(kMapMode, {}, false), row + 3, 1);
  pairButtons(kScopeMode, kMapMode);
  // The spiral search: its marker panel, Start and the settings.
  auto* spiral = new QGroupBox(window());
  spiral->setObjectName(objectName(kSpiralSearch));
  spiralPanel_ = new SpiralSearchPanel(spiral);
  spiralPanel_->setFixedSize(96, 96);
  auto* layout = new QGridLayout(spiral);
  layout->addWidget(spiralPanel_, 0, 0, 2, 1, Qt::AlignCenter);
  layout->addWidget(button(kSpiralStart, {}), 0, 1);
  layout->addWidget(button(kSpiralSettings, {}), 1, 1);
  grid()->addWidget(spiral, row + 4, 0, 1, 2);
  gamepadTimer_ = new QTimer(window());
  QObject::connect(gamepadTimer_, &QTimer::timeout, window(), [this] { pollGamepad(); });
  return row + 5;
}

// Two radio buttons that exclude each other and no others of the window.
void TelescopeDialogBase::pairButtons(int first, int second) {
  auto* group = new QButtonGroup(window());
  group->addButton(control<QAbstractButton>(first));
  group->addButton(control<QAbstractButton>(second));
}

// A direction button moves while it is held down.
void TelescopeDialogBase::wireDirection(int id) {
  auto* b = control<QPushButton>(id);
  QObject::connect(b, &QPushButton::pressed, window(), [this, id] { startMove(id); });
  QObject::connect(b, &QPushButton::released, window(), [this, id] { stopMove(id); });
}

// --- commands ----------------------------------------------------------------------

void TelescopeDialogBase::onCommand(int id, int code, QWidget* control) {
  switch (id) {
    case kConnect: connectTelescope(); break;
    case kDisconnect: onLink([](iTelescopeControl& link) { link.disconnect(); }); break;
    case kStop: onLink([](iTelescopeControl& link) { link.stopMove(kStopAll); }); break;
    case kGetPosition: onLink([](iTelescopeControl& link) { link.readPosition(); }); break;
    case kGoto: gotoSelection(); break;
    case kTracking: onLink([this](iTelescopeControl& link) { link.setTracking(isChecked(kTracking) ? 1 : 0); }); break;
    case kSetPark: onLink([](iTelescopeControl& link) { link.setPark(); }); break;
    case kGotoPark: onLink([](iTelescopeControl& link) { link.gotoPark(); }); break;
    case kScopeMode:
    case kMapMode: setMapMode(id == kMapMode); break;
    case kSpiralStart: startSpiralSearch(); break;
    case kSpiralSettings: editSpiralSearch(); break;
    default:
      if (id < kFirstDirection || id > kLastDirection) FwDialogBase::onCommand(id, code, control);
      break;
  }
}

void TelescopeDialogBase::startMove(int id) {
  const bool slow = isChecked(kSlow);
  const int rate = control<QSlider>(slow ? kSlowRate : kFastRate)->value();
  onLink([&](iTelescopeControl& link) {
    forEachDirection(id, [&](int direction) {
      if (slow) link.moveSlow(direction, rate);
      else link.moveFast(direction, rate);
    });
  });
}

void TelescopeDialogBase::stopMove(int id) {
  onLink([id](iTelescopeControl& link) { forEachDirection(id, [&](int direction) { link.stopMove(direction); }); });
}

void TelescopeDialogBase::connectTelescope() {
  DlgTelescopeConnect dialog(resources(), model_.scope, model_.portsDirectory());
  if (dialog.runModal(window()) != 1) return;
  onLink([this](iTelescopeControl& link) {
    link.setIndiServer(model_.scope.indiHost, model_.scope.indiPort, model_.scope.indiDevice);
    link.connect(model_.scope.type, model_.scope.port);
  });
}

// The target is the object last selected or centred on.
void TelescopeDialogBase::gotoSelection() {
  const CentringTarget& target = model_.lastCentringTarget;
  if (!target.valid) {
    if (iMainWindowCallback* main = model_.mainWindow()) {
      main->setStatusText(resources().textOr(text_id::kNoObjectSelected, "Select an object on the chart first."));
    }
    return;
  }
  onLink([&](iTelescopeControl& link) { link.gotoPosition(target.raRad, target.decRad); });
}

// A speed of 6 runs as the fastest the link knows.
void TelescopeDialogBase::startSpiralSearch() {
  const SpiralSearchSettings& spiral = model_.spiralSearch;
  onLink([&](iTelescopeControl& link) { link.startSpiralSearch(spiral.radius, spiral.turns, spiral.speed); });
}

void TelescopeDialogBase::editSpiralSearch() { DlgScopeSpiralSearch(resources(), model_.spiralSearch).runModal(window()); }

void TelescopeDialogBase::setMapMode(bool on) {
  model_.gamepad.mapMode = on ? 1 : 0;
  if (iMainWindowCallback* main = model_.mainWindow()) main->updateTelescopePanel();
}

void TelescopeDialogBase::showMapMode() {
  setChecked(model_.gamepad.mapMode ? kMapMode : kScopeMode, true);
}

// --- the link's reports ------------------------------------------------------------

// The link established and the status codes each have their text; the
// spiral panel runs from the spiral's start to the next status.
void TelescopeDialogBase::showLinkStatus(int code) {
  const int low = code & 0xFFFF;
  if (low == kLinkUpCode) {
    const int type = (code >> 16) & 0xFFFF;
    // An INDI mount is named by its device, as its server knows it.
    setItemText(kMountName, type == kMountIndi ? model_.scope.indiDevice : std::string(mountTypeName(type)));
    const iTelescopeControl* link = model_.telescope();
    applyCapabilities(type == kMountIndi && link ? link->indiCapabilities() : mountCapabilities(type));
    showStatusText(text_id::kLinkEstablishedText);
  } else if (low == kStatusSwitchedOff) {
    applyCapabilities(0);
    setItemText(kMountName, "");
    showStatusText(text_id::kLinkStatusFirst);
  } else if (low == kStatusConnecting) {
    // A new link: the last mount's position is not this one's.
    setItemText(kScopeRa, "");
    setItemText(kScopeDec, "");
    showStatusText(text_id::kLinkStatusFirst + code);
  } else if (code >= 0 && code <= text_id::kLinkStatusLast - text_id::kLinkStatusFirst) {
    showStatusText(text_id::kLinkStatusFirst + code);
  } else {
    return;
  }
  spiralPanel_->setRunning(code == kStatusSpiralStarted);
}

void TelescopeDialogBase::showStatusText(int textId) {
  statusTextId_ = textId;
  mountMessage_.clear();
  showStatusLine();
}

void TelescopeDialogBase::showMountMessage(const std::string& text) {
  mountMessage_ = text;
  showStatusLine();
}

void TelescopeDialogBase::showStatusLine() {
  const std::string status = resources().textOr(statusTextId_, "");
  setItemText(kStatus, mountMessage_.empty() ? status : status + ": " + mountMessage_);
}

void TelescopeDialogBase::languageChanged() {
  if (!window()) return;
  showControlTexts(*this, resources(), kSharedTexts);
  showOwnTexts();
  showStatusLine();
}

void TelescopeDialogBase::applyCapabilities(int mask) {
  auto enable = [this](std::initializer_list<int> ids, bool on) {
    for (int id : ids) control(id)->setEnabled(on);
  };
  enable({kGetPosition, kGoto}, mask != 0);
  if (mask != 0) setChecked(kTracking, false);
  for (int id = kStop; id <= kLastDirection; ++id) control(id)->setEnabled((mask & kCanMove) != 0);
  enable({kTracking}, (mask & kCanTrack) != 0);
  enable({kSpiralSearch}, (mask & kCanSpiral) != 0);
  spiralPanel_->setActive((mask & kCanSpiral) != 0);
  enable({kSetPark, kGotoPark}, (mask & kCanPark) != 0);
}

void TelescopeDialogBase::showSpiralSearchOffset(int x, int y) { spiralPanel_->showOffset(x, y); }

void TelescopeDialogBase::showMountPosition(double raRad, double decRad, int32_t, int32_t) {
  setItemText(kScopeRa, mountRaText(raRad));
  setItemText(kScopeDec, mountDecText(decRad));
}

void TelescopeDialogBase::showTarget(double raRad, double decRad) {
  setItemText(kTargetRa, mountRaText(raRad));
  setItemText(kTargetDec, mountDecText(decRad));
}

// --- registration ------------------------------------------------------------------

void TelescopeDialogBase::attach() {
  listenerSlot_ = this;
  const TelescopeReadings& readings = model_.handOver.readings;
  showLinkStatus(readings.linkState);
  if (readings.lastStatus != readings.linkState) showLinkStatus(readings.lastStatus);
  if (!readings.mountMessage.empty()) showMountMessage(readings.mountMessage);
  if (readings.position.valid) showMountPosition(readings.position.raRad, readings.position.decRad, 0, 0);
  if (model_.lastCentringTarget.valid) showTarget(model_.lastCentringTarget.raRad, model_.lastCentringTarget.decRad);
  showMapMode();
  if (gamepadTimer_) gamepadTimer_->start(kGamepadPollMs);
}

void TelescopeDialogBase::detach() {
  if (listenerSlot_ == this) listenerSlot_ = nullptr;
  if (gamepadTimer_) gamepadTimer_->stop();
  gamepadButtons_.releaseAll();
  gamepad_.reset();
}

// --- the gamepad -------------------------------------------------------------------

void TelescopeDialogBase::pollGamepad() {
  if (!model_.gamepad.enabled || !drivenByGamepad()) {
    gamepadButtons_.releaseAll();
    return;
  }
  if (!gamepad_ || gamepad_->device() != model_.gamepad.device) {
    gamepadButtons_.releaseAll();
    gamepad_ = std::make_unique<Gamepad>(model_.gamepad.device);
  }
  GamepadState state;
  if (gamepad_->poll(state) == Gamepad::kOk) gamepadButtons_.update(state);
  else gamepadButtons_.releaseAll();
}

bool TelescopeDialogBase::highSpeedSelected() const { return isChecked(kFast); }

int TelescopeDialogBase::speedRate(bool high) const { return control<QSlider>(high ? kFastRate : kSlowRate)->value(); }

void TelescopeDialogBase::selectSpeed(bool high) { setChecked(high ? kFast : kSlow, true); }

void TelescopeDialogBase::stepSpeedRate(bool high, int delta) {
  auto* rate = control<QSlider>(high ? kFastRate : kSlowRate);
  rate->setValue(rate->value() + delta);
}

void TelescopeDialogBase::zoomChart(bool in) {
  ChartNavigator(model_).zoom(in);
  if (iMainWindowCallback* main = model_.mainWindow()) main->refresh();
}

// Telescope directions 0 up, 1 down, 2 right, 3 left.
void TelescopeDialogBase::panChart(int direction) {
  constexpr PanDirection kPans[] = {PanDirection::kUp, PanDirection::kDown, PanDirection::kRight, PanDirection::kLeft};
  ChartNavigator(model_).pan(kPans[direction], false);
  if (iMainWindowCallback* main = model_.mainWindow()) main->refresh();
}

iTelescopeControl* TelescopeDialogBase::link() { return model_.telescope(); }

}  // namespace celvaro
