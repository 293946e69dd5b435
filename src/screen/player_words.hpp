// The words of players' names on the leaderboard (catalogue msgids): a colour
// and a creature, by the indices the leaderboard keeps, and how a language
// puts the two together. The lists only grow, at their ends.
#pragma once

#include <array>

#include "runs/player.hpp"

namespace words {

inline constexpr std::array<const char16_t*, runs::NameColourCount> nameColours = {
    u"琥珀色", u"珊瑚色", u"翡翠色", u"靛青色", u"朱红色", u"青铜色", u"珍珠色", u"紫晶色",
    u"蔚蓝色", u"橄榄色", u"玫瑰色", u"银白色", u"柠檬色", u"薄荷色", u"雪白色", u"乌木色"};
inline constexpr std::array<const char16_t*, runs::NameCreatureCount> nameCreatures = {
    u"狐狸", u"水獭", u"刺猬", u"猫头鹰", u"海豹", u"松鼠", u"鹦鹉", u"乌龟",
    u"獾", u"企鹅", u"海豚", u"蜜蜂", u"青蛙", u"熊猫", u"鲸鱼", u"蝴蝶"};
// {1} the colour, {2} the creature.
inline constexpr const char16_t* playerName = u"{1}的{2}";

}  // namespace words
