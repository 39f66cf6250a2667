#include "ui/main_menus.h"

namespace celvaro {

// The presets' submenu stands in the Chart menu.
const std::vector<MenuDefinition>& menuDefinitions() {
  static const std::vector<MenuDefinition> menus = {
      {19001, "&Chart", {{100, "&Projection..."}, {101, "&Field of view..."}, {102, "&Constellations and grid..."},
                         {103, "Co&nstellations..."},
                         {kShowMenuId, ""}, {0, ""}, {107, "&Save chart settings..."}, {108, "&Load chart settings..."},
                         {kPresetsMenuId, ""},
                         {0, ""}, {800, "Printable &map..."}, {0, ""}, {kExitCommand, "E&xit"}}},
      {19002, "&Stars", {{200, "&Stars..."}, {201, "Star &labels..."}, {0, ""}, {202, "&Variable stars..."},
                         {203, "Variable-star l&abels..."}, {204, "&Double stars..."}, {205, "Double-star la&bels..."}}},
      {19003, "&Deep sky", {{300, "&Deep-sky objects..."}, {301, "Deep-sky &catalog identifiers..."},
                            {302, "Deep-sky &labels by type..."}}},
      {19004, "S&olar system", {{401, "&Solar system..."}, {400, "Solar-system &display..."}, {403, "&Planet tracks..."},
                                {402, "&Moon phase calendar..."}, {0, ""}, {405, "&Comet list..."},
                                {407, "M&inor planets..."}, {409, "Minor-planet &tracks..."}}},
      {19005, "Sea&rch", {{500, "&Whole visible sky"}, {501, "&Zenith"}, {0, ""}, {502, "&Constellation..."},
                          {503, "&Star..."}, {504, "&Variable star..."}, {505, "&Double star..."},
                          {506, "S&olar-system object..."}, {507, "Co&met..."}, {508, "M&inor planet..."},
                          {509, "D&eep-sky object..."}, {510, "&Popular objects..."}, {0, ""},
                          {513, "&Go to a position..."}, {kHorizonMenuId, ""}, {kPickMenuId, ""}, {0, ""},
                          {511, "Star &hopping..."}, {512, "Observing s&uggestions..."}}},
      {19006, "&Telescope", {{606, "Telescope &settings..."}, {601, "&Alt-azimuth mount alignment..."},
                             {610, "Centre on the &telescope"}, {607, "&Gamepad..."}, {609, "&Field-of-view overlay..."},
                             {611, "Autoguider &monitor..."}, {612, "&DSLR exposure series..."}, {0, ""},
                             {kGamepadMenuId, ""}}},
      {19007, "S&ettings", {{700, "&Observing place..."}, {701, "&Date and time..."}, {702, "&Navigation..."},
                            {703, "&Colours..."}, {704, "Night &vision"}, {0, ""}, {705, "&Toolbar"},
                            {706, "Telescope &panel"}, {0, ""}, {708, "&Language..."}}},
      {19008, "&Help", {{1000, "&Info"}, {1001, "&About Celvaro..."}}},
  };
  return menus;
}

// The toolbar's commands carry the toolbar's texts.
const std::vector<Submenu>& submenus() {
  static const std::vector<Submenu> menus = {
      {kPresetsMenuId, {19010, "P&resets", {{120, "&Default"}, {121, "&Schematic"}, {122, "For &variable-star observing"},
                                            {123, "For d&ouble-star observing"}, {124, "For d&eep-sky observing"}}}},
      {kShowMenuId, {19013, "Sho&w", {{2016, ""}, {2017, ""}, {2018, ""}, {2019, ""}, {0, ""},
                                       {2007, ""}, {2008, ""}, {2009, ""}, {2010, ""}}}},
      {kHorizonMenuId, {19012, "Ho&rizon view", {{2012, ""}, {2013, ""}, {2014, ""}, {2015, ""}}}},
      {kPickMenuId, {19011, "Pic&k", {{2000, ""}, {2001, ""}, {2002, ""}, {2003, ""}, {2004, ""}, {2005, ""}, {2006, ""}}}},
      {kGamepadMenuId, {19014, "Gamepad mo&ves", {{2020, ""}, {2021, ""}}}},
  };
  return menus;
}

const MenuDefinition& submenuOf(int id) {
  for (const Submenu& sub : submenus()) {
    if (sub.id == id) return sub.menu;
  }
  return submenus().front().menu;
}

}  // namespace celvaro
