// The refusals of a run in the catalogue's words.
#include "screen/run_messages.hpp"

#include "platform/language/language.hpp"

std::u16string_view runRefusalMessage(runs::RunRefusal refusal) {
  using runs::RunRefusal;
  switch (refusal) {
    case RunRefusal::Accepted: return u"";
    case RunRefusal::TooLarge: return translatedText(u"这个记录太大了");
    case RunRefusal::NotARun: return translatedText(u"这不是一个记录");
    case RunRefusal::Cut: return translatedText(u"这个记录不完整");
    case RunRefusal::Damaged: return translatedText(u"这个记录已损坏");
    case RunRefusal::ForgedChecksum: return translatedText(u"这个记录的校验和不对");
    case RunRefusal::Newer: return translatedText(u"这个记录来自更新的版本");
    case RunRefusal::ImpossibleMove: return translatedText(u"这个记录里有不可能的一步");
    case RunRefusal::Unproven: return translatedText(u"这个关卡没有被作者通过");
  }
  return translatedText(u"这个记录已损坏");
}
