// Builds the double-star catalog data/doubles_d3.dat (CLV_WDSC 4) and the
// variable-star catalog data/variables.dat (CLV_GCVS 5) from the Stellarium
// star sources (stars/default): the WDS and GCVS cross-matches with the
// Hipparcos catalogue, the discoverer designations of extra_name.fab and
// the Hipparcos component records; positions and magnitudes are those of
// the Hipparcos stars in d3-celestial's stars.14.json.
//
// Double stars
// - A system is a WDS coordinate designation; its rows (one per Hipparcos
//   star) are merged, the star brightest in the Hipparcos data being the
//   primary: its position and magnitude are the system's. Systems none of
//   whose stars the Hipparcos data hold are left out.
// - Discoverer designation: of the designations extra_name.fab gives the
//   system's stars (primary first), the traditional symbols win, in the
//   order below; otherwise the first one with a WDS code of one to three
//   capital letters. It is stored as the WDS writes it, which the search
//   takes back (catalog/double_star_data.h): Σ STF, Σ I STFA, Σ II STFB,
//   ΟΣ STT, ΟΣΣ STTA, β BU, Δ DUN, H 1..6 and H N (W. Herschel's classes)
//   as they are, λ SEE, φ FIN, β pm BUP, Lβ LBU, βG BUG. Every system of
//   the sources has a designation of these forms; one without would be
//   left out. The others are listed in the information, where the search
//   finds them too.
// - The principal pair: for the showpieces of double_star_pairs.h, the
//   pair the WDS lists under their designation (epsilon1 and epsilon2 Lyr
//   are systems of their own there). Otherwise the system's stars are the
//   Hipparcos component records (A, B, C...) of each of its Hipparcos
//   stars, placed about the star's position by their offsets in the star
//   files, or the stars themselves where they have none; the pair is the
//   brightest of them and its brightest companion within a minute of arc,
//   or its nearest companion when none is that close. Separation (tenths
//   of an arcsecond), position angle and companion magnitude are that
//   pair's, and its year is that of the Hipparcos epoch, 1991, since the
//   stars of a system share one proper motion in the star files.
//   The WDS cross-match gives one measure per Hipparcos star, often of a
//   wide pair it does not name (Albireo's is 66" where AB is 35"): a
//   system of a single star in the sources keeps that measure, with its
//   year, as the only one there is, and its companion magnitude is unknown
//   (stored as 0, which the companion filter lets pass). The sentinels -1
//   and 999.9 of a separation are stored as 0, unknown.
// - Information: WDS designation, discoverer designation and the system's
//   other designations as the sources write them, Hipparcos number,
//   magnitudes, separation, position angle, year of the measure.
//
// Variable stars
// - The Hipparcos stars of the GCVS cross-match, then the well-known
//   variables the Hipparcos catalogue lacks (variable_hand_list.h) at the
//   GCVS's own place; these have no Hipparcos number in their information.
// - Designation: "R And", "V335 Cyg" and Greek letters in Unicode ("δ Cep",
//   read as "del Cep") become the designation code and packed constellation.
// - Type letters from the GCVS type, each "+" part setting its own letter
//   by the part before any "/" (which only describes the components):
//     E eclipsing: E, EA, EB, EW, EP... (ELL is rotating);
//     P pulsating: cepheids (CEP, DCEP, CW), RR, RV, delta Scuti (DSCT),
//       SX Phe, beta Cep, gamma Dor, alpha Cyg (ACYG), PV Tel, ZZ, LPB,
//       BL Boo;
//     R rotating: ACV, BY, ELL, FK Com, SX Ari, PSR, R (reflection);
//     C cataclysmic and eruptive: novae (N...), UG, ZAND, DQ, AM, and the
//       eruptive GCAS, BE, RCB, RS, S Dor, UV, WR, FU, the Orion-type IN...,
//       IS..., IT;
//     L long-period and irregular: M, SR..., L, LB, LC, and I, IA, IB;
//     X X-ray binaries (X...) and everything else (CST, *, VAR, S, GAL, an
//       empty type).
// - Magnitudes, thousandths: the maximum is the brightest magnitude; the
//   faintest is the minimum (flag 0), the maximum plus the amplitude
//   (flag 1) or the limit of a "fainter than" minimum (flag 2). A missing
//   maximum takes the minimum (or the Hipparcos magnitude when the minimum
//   is an amplitude or missing too); a missing minimum the maximum.
// - Period in hundredths of a day, 0 unknown; a known period below 0.005
//   days is stored as 1 so that it stays known.
// - Information: GCVS designation and type, maximum, minima (an amplitude
//   in parentheses, "<" before a limit), photometric system, epoch (JD),
//   period, rise or eclipse duration, spectral type, Hipparcos number.
#pragma once

#include <string>

namespace celvaro {

struct DoubleVariableSourcePaths {
  std::string d3Stars;     // d3-celestial stars.14.json
  std::string stellarium;  // Stellarium stars/default directory
};

// Writes data/doubles_d3.dat and data/variables.dat into `dataDirectory`;
// false on failure.
bool buildDoubleAndVariableStarFiles(const DoubleVariableSourcePaths& sources, const std::string& dataDirectory);

}  // namespace celvaro
