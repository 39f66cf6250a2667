// The main window's menus and toolbar bands: the program's command ids
// with their English texts, the language's texts taking their place.
#pragma once

#include <vector>

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

// The id of the item that stands for the presets' submenu, and of Exit.
constexpr int kPresetsMenuId = -1;
constexpr int kExitCommand = 109;

// The menus with the program's command ids.
const std::vector<MenuDefinition>& menuDefinitions();
// The presets' submenu.
const std::vector<MenuItem>& presetItems();

// Toolbar bands: buttons and whether they are an exclusive check group.
struct Band {
  int first, last;
  bool checkable, exclusive;
};
constexpr Band kBands[] = {{2000, 2006, true, true}, {2007, 2008, false, false}, {2009, 2010, false, false},
                           {2011, 2015, false, false}, {2016, 2019, true, false}, {2020, 2021, true, true}};

}  // namespace celvaro
