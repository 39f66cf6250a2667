// The searches for what the user types: a designation in a one-line
// question (variable stars, double stars and deep-sky objects, commands
// 504, 505 and 509), a minor planet (508) and a sky position (513).
#pragma once

#include <string>

#include "solarsystem/solar_system.h"
#include "ui/dialog_framework.h"

namespace celvaro {

class DlgSimpleQuestion final : public FwDialogBase {
 public:
  static constexpr int kAnswer = 100;

  // The title and the question as language texts with their built-in ones.
  DlgSimpleQuestion(UiResources& resources, int titleTextId, const char* title, int questionTextId,
                    const char* question)
      : FwDialogBase(resources), title_{titleTextId, title}, question_{questionTextId, question} {}
  int resourceId() const override { return 410; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  // The answer given with OK.
  const std::string& answer() const { return answer_; }

 private:
  struct Text {
    int id;
    const char* builtIn;
  };
  Text title_, question_;
  std::string answer_;
};

// A minor planet by name, number or provisional designation ("2006 DA00"),
// or the user's asteroid.
class DlgSearchAsteroid final : public FwDialogBase {
 public:
  static constexpr int kFirstWay = 100;  // 100..103: by name, number, designation, the user's asteroid
  static constexpr int kText = 110;

  using FwDialogBase::FwDialogBase;
  int resourceId() const override { return 404; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  // The search asked for with OK.
  const MinorPlanetQuery& query() const { return query_; }

 private:
  MinorPlanetQuery query_;
};

// Right ascension ("h:m:s") and declination ("d:m"), shown first at the
// chart's centre.
class PositionDlg final : public FwDialogBase {
 public:
  static constexpr int kRightAscension = 100, kDeclination = 101;

  PositionDlg(UiResources& resources, double raRad, double decRad)
      : FwDialogBase(resources), raRad_(raRad), decRad_(decRad) {}
  int resourceId() const override { return 105; }
  void onInitDialog() override;
  void onCommand(int id, int code, QWidget* control) override;
  // The position typed, read on OK.
  double raRad() const { return raRad_; }
  double decRad() const { return decRad_; }

 private:
  bool readPosition();
  double raRad_, decRad_;
};

}  // namespace celvaro
