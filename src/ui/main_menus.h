// The main window's menus and toolbar bands: the program's command ids
// with their English texts, the language's texts taking their place.
#pragma once

#include <cstdint>
#include <vector>

#include "model/chart_settings.h"

namespace celvaro {

struct MenuItem {
  int id;  // 0: a separator
  const char* english;
};

struct MenuDefinition {
  int titleTextId;
  const char* english;
  std::vector<MenuItem> items;
};

// Items that stand for a submenu have the submenu's negative id; Exit's id.
constexpr int kPresetsMenuId = -1, kPickMenuId = -2, kHorizonMenuId = -3, kShowMenuId = -4, kGamepadMenuId = -5;
constexpr int kExitCommand = 109;

// The menus with the program's command ids.
const std::vector<MenuDefinition>& menuDefinitions();
// The submenus, each with its negative id: the presets, and the toolbar's
// pick filters, horizon views, display switches and gamepad modes, so that
// every command is reachable from the keyboard.
struct Submenu {
  int id;
  MenuDefinition menu;
};
const std::vector<Submenu>& submenus();
// The submenu of an item's negative id; the presets' for an id none has.
const MenuDefinition& submenuOf(int id);

// Toolbar bands: buttons and whether they are an exclusive check group.
struct Band {
  int first, last;
  bool checkable, exclusive;
};
// The display buttons 2016..2018 over their switches; 2019 shows the deep-sky mode.
constexpr uint8_t ChartSettings::*kDisplaySwitches[3] = {&ChartSettings::showStars, &ChartSettings::needVariableStars,
                                                         &ChartSettings::needDoubleStars};
constexpr int kDeepskyButton = 2019;

constexpr Band kBands[] = {{2000, 2006, true, true}, {2007, 2008, false, false}, {2009, 2010, false, false},
                           {2011, 2015, false, false}, {2016, 2019, true, false}, {2020, 2021, true, true}};

}  // namespace celvaro
