// The language-text ids the program asks for. Every language file must hold
// each of them; the tests check the four shipped files against this list.
//
// Ranges: 1..13 general; 1100..7200 dialog titles, columns and messages
// (2410..2416 the solar-system dialogs, 2420..2426 the variable-star,
// double-star and deep-sky dialogs, 2430..2433 the telescope windows,
// 2440..2451 the search dialogs, 2460 the printable map, 2400..2402 the
// observing aids);
// 7000..7004 chart context menu; 7100 + kind selection headings; 8000..8009
// solar-system bodies; 8100..8106 weekdays; 9000 + link status (9100 the
// link established), 9050 + DSLR status, 9070 + guider port state; 10000 + toolbar button (8000 + command);
// 10100..10181 and 101101 search outcomes; 12000, 12100 and 12200 the
// variable-star, double-star and deep-sky information tables (title, then
// kind + field captions); 13000 + suggestion type;
// 14000.. dialog labels (14300 + star information field; 14400.. the
// place, navigation, field, projection, constellation and star dialogs;
// 14500.. the solar-system dialogs; 14600.. the variable-star, double-star
// and deep-sky dialogs, 14660 + deep-sky type; 14700.. the telescope
// windows and their messages; 14800.. the search dialogs; 14900.. the
// printable map and its title strip; 14960.. the field-of-view overlay;
// 15000.. the observing aids);
// 19001.. menu bar; 20000 + command id menu items.
#pragma once

#include <vector>

namespace celvaro::text_id {

constexpr int kErrorCaption = 6;
constexpr int kNoPicture = 13;
constexpr int kNoStarCatalog = 14;
constexpr int kFieldDialogTitle = 1100;
constexpr int kMoonCalendarTitle = 2400;
constexpr int kSuggestionsTitle = 2401;
constexpr int kStarHoppingTitle = 2402;
constexpr int kSolarSystemTitle = 2410;
constexpr int kSolarDisplayTitle = 2411;
constexpr int kPlanetTracksTitle = 2412;
constexpr int kCometListTitle = 2413;
constexpr int kUserCometTitle = 2414;
constexpr int kMinorPlanetsTitle = 2415;
constexpr int kMinorPlanetTracksTitle = 2416;
constexpr int kVariableStarsTitle = 2420;
constexpr int kVariableLabelsTitle = 2421;
constexpr int kDoubleStarsTitle = 2422;
constexpr int kDoubleLabelsTitle = 2423;
constexpr int kDeepskyTitle = 2424;
constexpr int kDeepskyIdsTitle = 2425;
constexpr int kDeepskyTypesTitle = 2426;
constexpr int kTelescopeControlTitle = 2430;
constexpr int kTelescopeAdjustTitle = 2431;
constexpr int kTelescopeConnectTitle = 2432;
constexpr int kTelescopeSettingsTitle = 2433;
constexpr int kSearchStarTitle = 2440;
constexpr int kStarSearchTitle = 2441;
constexpr int kStarNamesTitle = 2442;
constexpr int kSearchSolarSystemTitle = 2443;
constexpr int kSearchCometTitle = 2444;
constexpr int kSearchMinorPlanetTitle = 2445;
constexpr int kSearchConstellationTitle = 2446;
constexpr int kPopularObjectsTitle = 2447;
constexpr int kSearchVariableTitle = 2448;
constexpr int kSearchDoubleTitle = 2449;
constexpr int kSearchDeepskyTitle = 2450;
constexpr int kSearchPositionTitle = 2451;
constexpr int kPrintableMapTitle = 2460;
constexpr int kFovOverlayTitle = 4600;
constexpr int kObservingPlaceTitle = 4900;
constexpr int kDateTimeTitle = 5000;
constexpr int kSetDateTimeTitle = 5100;
constexpr int kJulianDateTitle = 5200;
constexpr int kJulianDatePrompt = 5201;
constexpr int kNavigationTitle = 5250;
constexpr int kColoursTitle = 5300;
constexpr int kLanguageTitle = 5400;
constexpr int kObjectInfoTitle = 7200;
constexpr int kNoGamepad = 4550;
constexpr int kInfoFormat = 6500;
constexpr int kAboutCaption = 6510;
constexpr int kAboutText = 6513;
constexpr int kContextMenuFirst = 7000;
constexpr int kContextMenuFovOverlay = 7004;
constexpr int kSelectionHeadingFirst = 7100;
constexpr int kPropertyColumn = 7206;
constexpr int kValueColumn = 7207;
constexpr int kBodyNameFirst = 8000;
constexpr int kWeekdayFirst = 8100;
constexpr int kLinkStatusFirst = 9000;
constexpr int kLinkStatusLast = 9029;
constexpr int kLinkEstablishedText = 9100;
constexpr int kDslrStatusFirst = 9050;
constexpr int kGuiderStateFirst = 9070;
constexpr int kToolbarTipFirst = 10000;
constexpr int kNoDataForObject = 10200;
// Object-information tables: the title at the kind, field captions at kind + field.
constexpr int kVariableInfoTable = 12000;
constexpr int kDoubleInfoTable = 12100;
constexpr int kDeepskyInfoTable = 12200;
// The deep-sky kinds of the information (37 from here), then the units of
// its distances: light years, thousands and millions of them.
constexpr int kDeepskyKindFirst = 12230;
constexpr int kDeepskyKindLast = 12266;
constexpr int kDistanceUnitFirst = 12270;
constexpr int kDistanceUnitLast = 12272;
constexpr int kSuggestionTypeFirst = 13000;
constexpr int kButtonOk = 14000;
constexpr int kButtonCancel = 14001;
constexpr int kButtonClose = 14002;
constexpr int kColourNameFirst = 14100;
constexpr int kColourRed = 14120;
constexpr int kSchemeButtonFirst = 14130;
constexpr int kDateTimeLabelFirst = 14200;
constexpr int kSetDateTimeLabelFirst = 14210;
// "%1 must be between %2 and %3." and the names of the place's fields in it.
constexpr int kOutOfRangeMessage = 14405;
constexpr int kLatitudeName = 14406;
constexpr int kLongitudeName = 14407;
constexpr int kProjectionCaption = 14430;  // then the five projections' names
constexpr int kTimeZoneName = 14408;
constexpr int kZoneNameLabel = 14409;
constexpr int kStarInfoCaptionFirst = 14301;  // + star information field - 1
constexpr int kSettingFileNotSaved = 14445;
// The constellation dialog: title, the names' caption, three choices of
// names and the list's caption.
constexpr int kConstellationLabelFirst = 14461;
// The user comet's and asteroid's dialogs: their elements lie more than ten
// years from the chart's date.
constexpr int kOutdatedElements = 14531;
constexpr int kRaCaption = 14563;
constexpr int kDecCaption = 14564;
// The object-information window's altitude and azimuth of the chart's instant.
constexpr int kAltitudeCaption = 14569;
constexpr int kAzimuthCaption = 14570;
// The telescope windows: labels from 14700 on, then these.
constexpr int kTelescopeLabelFirst = 14700;
constexpr int kLocalTimeCaption = 14716;
constexpr int kUniversalTimeCaption = 14717;
constexpr int kMountTypeLabel = 14720;
constexpr int kSerialPortLabel = 14721;
constexpr int kEastWestSwapLabel = 14722;
constexpr int kReferencePointFirst = 14723;  // "1. ref. point", "2. ref. point"
constexpr int kSetFromSelection = 14728;
constexpr int kNoObjectSelected = 14730;
constexpr int kTelescopePositionUnknown = 14731;
constexpr int kTelescopeBelowHorizon = 14732;
constexpr int kPortNotPresent = 14733;
constexpr int kIndiHostLabel = 14734;
constexpr int kIndiPortLabel = 14735;
constexpr int kIndiDeviceLabel = 14736;
constexpr int kFindIndiDevices = 14737;
constexpr int kNoIndiDevices = 14738;
// The spiral-search, DSLR, autoguider and gamepad windows, and the gamepad
// button functions at kGamepadFunctionFirst + function.
constexpr int kSpiralSearchLabelFirst = 14740;
constexpr int kDslrLabelFirst = 14750;
constexpr int kDslrUnitFirst = 14756;  // seconds, minutes, hours
constexpr int kAutoguiderLabelFirst = 14760;
constexpr int kCorrectionsNotSent = 14763;
constexpr int kGamepadLabelFirst = 14770;
constexpr int kGamepadFunctionFirst = 14780;
// The search dialogs: the star search's labels from 14800 on, then these.
constexpr int kStarSearchLabelFirst = 14800;
constexpr int kMinorPlanetWayFirst = 14810;    // four ways of searching, then the field
constexpr int kSearchQuestionFirst = 14815;    // variable star, double star, deep-sky object
constexpr int kRaDecLabelFirst = 14818;
constexpr int kNamedObjectColumnFirst = 14820; // identifier, second identifier
constexpr int kUserCometRow = 14822;
// The printable map: its labels from 14900 on, then its messages.
constexpr int kPrintableMapLabelFirst = 14900;
constexpr int kPrintableMapNotWritten = 14910;
constexpr int kPrintableMapNoRoom = 14911;
constexpr int kPrintableMapNoFile = 14912;
// Asked before a file the user named is replaced.
constexpr int kReplaceFileQuestion = 14913;
// The printable map's title strip: its captions, then the deep-sky limit
// that shows every object.
constexpr int kMapTitleObject = 14914;
constexpr int kMapTitleCentre = 14915;
constexpr int kMapTitleRa = 14916;
constexpr int kMapTitleDec = 14917;
constexpr int kMapTitleEpoch = 14918;
constexpr int kMapTitleLimits = 14919;
constexpr int kMapTitleStars = 14920;
constexpr int kMapTitleDeepsky = 14921;
constexpr int kMapTitleAllDeepsky = 14922;
// An atlas: a page's caption, the key page's title and its two halves, the
// index's title.
constexpr int kAtlasPage = 14923;
constexpr int kAtlasKeyTitle = 14924;
constexpr int kAtlasNorthernSky = 14925;
constexpr int kAtlasSouthernSky = 14926;
constexpr int kAtlasIndexTitle = 14927;
// The printable-map dialog's choice of what is printed: its caption, the
// three kinds, the object's field and the atlas's field.
constexpr int kPrintedWorkCaption = 14928;
constexpr int kPrintedWorkLast = 14933;
constexpr int kUnknownZoneMessage = 14934;
// The status bar's captions: field, limit, the magnitude's unit, deep-sky
// level, local and universal time.
constexpr int kStatusField = 14935, kStatusLimit = 14936, kStatusMagnitude = 14937, kStatusDeepsky = 14938,
              kStatusLocalTime = 14939, kStatusUniversalTime = 14940;
// The letters of toolbar pictures: named stars, north, west, south and east,
// the gamepad's telescope and map modes.
constexpr int kGlyphNamedStars = 14941, kGlyphNorth = 14942, kGlyphTelescopeMode = 14946, kGlyphMapMode = 14947;
// The caption of the question before a file is replaced; the file dialogs' filters.
constexpr int kFileExistsCaption = 14948, kSettingFilesFilter = 14949, kAllFilesFilter = 14950;
// The field-of-view overlay dialog's labels, 17 from here.
constexpr int kFovLabelFirst = 14960;
constexpr int kFovLabelLast = 14976;
// The observing aids' labels: the moon calendar's, the suggestions', the
// object information's and the star hopping's, then the night's events
// and the Moon's quarters, the place of the date, the facts of bodies
// and constellations, and the words of a star-hop route's text.
constexpr int kAidLabelFirst = 15000;
constexpr int kAidLabelLast = 15051;
constexpr int kMenuBarFirst = 19001;
constexpr int kMenuCommandBase = 20000;
// The Chart menu's presets and show submenus, the Search menu's pick and
// horizon-view submenus, the Telescope menu's gamepad submenu.
constexpr int kSubmenuTitleFirst = 19010, kSubmenuTitleLast = 19014;

// Every id above, with the ids of each range, in ascending order.
std::vector<int> usedTextIds();

}  // namespace celvaro::text_id
