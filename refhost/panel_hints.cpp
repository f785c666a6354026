#include "refhost/panel_hints.h"

namespace refhost {
namespace {

// Reads words in order, never more than the cap.
class WordCursor {
 public:
  WordCursor(const XPanelHint *words, std::size_t cap, std::vector<XPanelHint> &raw)
      : words_(words), cap_(cap), raw_(raw) {}

  bool next(XPanelHint &word) {
    if (raw_.size() >= cap_) return false;
    word = words_[raw_.size()];
    raw_.push_back(word);
    return true;
  }

 private:
  const XPanelHint *words_;
  std::size_t cap_;
  std::vector<XPanelHint> &raw_;
};

}  // namespace

HintList parseHints(uint32_t id, const XPanelHint *words, std::size_t maxWords) {
  HintList parsed;
  parsed.id = id;
  if (words == nullptr) return parsed;
  WordCursor cursor(words, maxWords, parsed.raw);

  XPanelHint tag = 0;
  while (cursor.next(tag)) {
    if (tag == 0) return parsed;
    Hint hint;
    hint.tag = tag;
    XPanelHint word = 0;
    std::size_t fixed = static_cast<std::size_t>(tag & 0x7F);
    for (std::size_t i = 0; i < fixed; ++i) {
      if (!cursor.next(word)) break;
      hint.args.push_back(word);
    }
    bool listEnded = !hint.hasList();
    while (!listEnded && cursor.next(word)) {
      if (word == 0) {
        listEnded = true;
      } else {
        hint.list.push_back(word);
      }
    }
    bool complete = hint.args.size() == fixed && listEnded;
    parsed.hints.push_back(std::move(hint));
    if (!complete) break;
  }
  parsed.truncated = true;
  return parsed;
}

}  // namespace refhost
