#include "unit_set.h"

#include <gtest/gtest.h>

namespace sorvani {
namespace {

TEST(UnitSet, HoldsItsUnitsAndNoneBesideThemAtTheEdgesOfItsWords) {
    // Units at both ends of a 64-bit word of the set, and at both ends of the plane.
    constexpr UnitSet set(u"\x0001\x003F\x0040\xFFFF了");
    for (const char16_t unit : {u'\x0001', u'\x003F', u'\x0040', u'\xFFFF', u'了'})
        EXPECT_TRUE(set.Has(unit)) << int{unit};
    for (const char16_t unit :
         {u'\0', u'\x0002', u'\x003E', u'\x0041', u'\x0080', u'\xFFFE', u'\x4E85', u'\x4E87'})
        EXPECT_FALSE(set.Has(unit)) << int{unit};
    static_assert(UnitSet(u"一").Has(u'一') && !UnitSet(u"一").Has(u'二'));
}

}  // namespace
}  // namespace sorvani
