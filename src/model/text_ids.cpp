#include "model/text_ids.h"

#include <algorithm>

namespace celvaro::text_id {
namespace {

void addRange(std::vector<int>& ids, int first, int last) {
  for (int id = first; id <= last; ++id) ids.push_back(id);
}

}  // namespace

std::vector<int> usedTextIds() {
  std::vector<int> ids = {kErrorCaption,      kNoPicture,          kNoStarCatalog,      kFieldDialogTitle,
                          kMoonCalendarTitle, kFovOverlayTitle,    kObservingPlaceTitle,
                          kDateTimeTitle,     kSetDateTimeTitle,   kJulianDateTitle,
                          kJulianDatePrompt,  kNavigationTitle,    kColoursTitle,
                          kLanguageTitle,     kObjectInfoTitle,    kNoGamepad,
                          kInfoFormat,        kAboutCaption,       kAboutText,
                          kPropertyColumn,    kValueColumn,        kNoDataForObject,
                          kZoneNameLabel,     kUnknownZoneMessage, kSettingFileNotSaved};
  addRange(ids, kSubmenuTitleFirst, kSubmenuTitleLast);
  addRange(ids, kStatusField, kStatusUniversalTime);
  addRange(ids, kGlyphNamedStars, kAllFilesFilter);
  addRange(ids, 4006, 4009);                                  // list columns
  addRange(ids, kSolarSystemTitle, kMinorPlanetTracksTitle);
  addRange(ids, kVariableStarsTitle, kDeepskyTypesTitle);
  addRange(ids, kTelescopeControlTitle, kTelescopeSettingsTitle);
  addRange(ids, kSearchStarTitle, kSearchPositionTitle);
  addRange(ids, kContextMenuFirst, kContextMenuFovOverlay);
  addRange(ids, kSelectionHeadingFirst, kSelectionHeadingFirst + 7);
  addRange(ids, kBodyNameFirst, kBodyNameFirst + 9);
  addRange(ids, kWeekdayFirst, kWeekdayFirst + 6);
  addRange(ids, kLinkStatusFirst, kLinkStatusLast);
  ids.push_back(kLinkEstablishedText);
  addRange(ids, kDslrStatusFirst, kDslrStatusFirst + 4);
  addRange(ids, kGuiderStateFirst, kGuiderStateFirst + 3);
  addRange(ids, kToolbarTipFirst, kToolbarTipFirst + 21);
  for (int id : {10100, 10101, 10110, 101101, 10120, 10121, 10122, 10131, 10140, 10141, 10150,
                 10151, 10160, 10161, 10170, 10181}) {
    ids.push_back(id);  // search outcomes
  }
  addRange(ids, kSuggestionTypeFirst, kSuggestionTypeFirst + 3);
  addRange(ids, kButtonOk, kButtonClose);
  addRange(ids, kColourNameFirst, kColourNameFirst + 13);
  addRange(ids, kColourRed, kColourRed + 2);
  addRange(ids, kSchemeButtonFirst, kSchemeButtonFirst + 5);
  addRange(ids, kDateTimeLabelFirst, kDateTimeLabelFirst + 6);
  addRange(ids, kSetDateTimeLabelFirst, kSetDateTimeLabelFirst + 4);
  addRange(ids, kStarInfoCaptionFirst, kStarInfoCaptionFirst + 11);
  addRange(ids, kVariableInfoTable, kVariableInfoTable + 11);  // variable-star information
  addRange(ids, kDoubleInfoTable, kDoubleInfoTable + 9);       // double-star information
  addRange(ids, kDeepskyInfoTable, kDeepskyInfoTable + 17);   // deep-sky information
  addRange(ids, kDeepskyKindFirst, kDeepskyKindLast);
  addRange(ids, kDistanceUnitFirst, kDistanceUnitLast);
  for (int id : {14400, 14401, 14402, 14403, 14404, 14420, 14449, 14469, 14479}) ids.push_back(id);  // dialog labels
  addRange(ids, kOutOfRangeMessage, kTimeZoneName);
  addRange(ids, 14410, 14417);
  addRange(ids, 14430, 14435);
  addRange(ids, 14437, 14440);
  addRange(ids, 14450, 14460);
  addRange(ids, kConstellationLabelFirst, kConstellationLabelFirst + 5);
  addRange(ids, 14470, 14476);
  addRange(ids, 14480, 14485);
  addRange(ids, 14500, 14506);                                // solar-system dialogs
  addRange(ids, 14510, 14518);
  addRange(ids, 14520, kOutdatedElements);
  addRange(ids, 14540, 14551);
  addRange(ids, 14560, 14568);
  addRange(ids, 14600, 14616);                                // variable-star dialogs, type meanings
  addRange(ids, 14620, 14625);                                // double-star dialogs
  addRange(ids, 14630, 14638);                                // deep-sky dialogs
  addRange(ids, 14640, 14647);
  addRange(ids, 14650, 14656);
  addRange(ids, 14661, 14670);                                // deep-sky types 1..10
  ids.push_back(14675);                                       // quasars
  addRange(ids, kTelescopeLabelFirst, kSetFromSelection);     // telescope windows
  addRange(ids, kNoObjectSelected, kNoIndiDevices);
  addRange(ids, kSpiralSearchLabelFirst, kSpiralSearchLabelFirst + 7);
  addRange(ids, kDslrLabelFirst, kDslrUnitFirst + 2);
  addRange(ids, kAutoguiderLabelFirst, kCorrectionsNotSent);
  addRange(ids, kGamepadLabelFirst, kGamepadLabelFirst + 2);
  addRange(ids, kGamepadFunctionFirst, kGamepadFunctionFirst + 16);
  addRange(ids, kStarSearchLabelFirst, kStarSearchLabelFirst + 8);  // search dialogs
  addRange(ids, kMinorPlanetWayFirst, kUserCometRow);
  ids.push_back(kPrintableMapTitle);
  addRange(ids, kPrintableMapLabelFirst, kPrintedWorkLast);
  addRange(ids, kFovLabelFirst, kFovLabelLast);
  addRange(ids, kSuggestionsTitle, kStarHoppingTitle);          // observing aids
  addRange(ids, kAidLabelFirst, kAidLabelLast);
  addRange(ids, kMenuBarFirst, kMenuBarFirst + 7);
  for (int command : {100, 101, 102, 103, 107, 108, 109, 120, 121, 122, 123, 124, 200, 201, 202, 203, 204,
                      205, 300, 301, 302, 400, 401, 402, 403, 405, 407, 409, 500, 501, 502, 503,
                      504, 505, 506, 507, 508, 509, 510, 511, 512, 513, 601, 606, 607, 609, 610, 611, 612,
                      700, 701, 702, 703, 704, 705, 706, 708, 800, 1000, 1001}) {
    ids.push_back(kMenuCommandBase + command);
  }
  std::sort(ids.begin(), ids.end());
  return ids;
}

}  // namespace celvaro::text_id
