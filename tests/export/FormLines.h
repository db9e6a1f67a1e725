#pragma once
// The blank form lines, written out field by field, for the writer tests.

#include <string>
#include <vector>

namespace vael::test {

inline std::string F(int n) { return std::string(static_cast<std::size_t>(n), '\x85'); }

// The form lines written out field by field.
inline const std::string kGeneral = "Race" + F(14) + " Gender" + F(7) + " Age" + F(7) + " Occupation" + F(17);
inline const std::vector<std::vector<std::string>> kSystemLines = {
    {},
    {kGeneral},
    {kGeneral, "Alignment" + F(5) + " Class" + F(19) + " Level" + F(9) + " HP" + F(6) + " AC" + F(5),
     "STR" + F(6) + " CON" + F(6) + " DEX" + F(6) + " INT" + F(6) + " WIS" + F(6) + " CHA" + F(6) +
         " THAC0" + F(6)},
    {kGeneral,
     "Order/1st abil" + F(8) + " Health" + F(4) + " Precision" + F(4) + " Speed" + F(4) +
         " Adj Speed" + F(4),
     "Protection" + F(6) + " Attack Precision" + F(6) + " Pri Harm Rng" + F(6)},
    {kGeneral,
     "STR" + F(4) + " CON" + F(4) + " SIZ" + F(4) + " INT" + F(4) + " POW" + F(4) + " DEX" + F(4) +
         " APP" + F(4) + " FAT" + F(4) + " MOV" + F(4),
     "HP" + F(5) + " MP" + F(5) + " Armor Pts" + F(5) + " Damage Bonus" + F(5) + " Elan" + F(5) +
         " Fatigue" + F(5)},
    {kGeneral,
     "Alignment" + F(5) + " Class" + F(15) + " Career" + F(18) + " M" + F(3) + " WS" + F(3),
     "BS" + F(3) + " S" + F(3) + " T" + F(3) + " W" + F(3) + " I" + F(3) + " A" + F(3) + " Dex" +
         F(3) + " Ld" + F(3) + " Int" + F(3) + " Cl" + F(3) + " WP" + F(3) + " Fel" + F(3)},
};

inline const std::string kDescription = F(71);

}  // namespace vael::test
