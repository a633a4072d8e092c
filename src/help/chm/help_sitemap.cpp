#include "help/chm/help_sitemap.h"

#include <cstdint>
#include <optional>

namespace tarlyk {

namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == ':' || c == '.';
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp == 0 || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) cp = 0xfffd;
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xc0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3f)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xe0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3f)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3f)));
  } else {
    out.push_back(static_cast<char>(0xf0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3f)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3f)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3f)));
  }
}

// The character a reference between '&' and ';' stands for.
std::optional<uint32_t> Reference(std::string_view ref) {
  if (ref.size() >= 2 && ref[0] == '#') {
    const bool hex = ref[1] == 'x' || ref[1] == 'X';
    const std::string_view digits = ref.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    uint32_t cp = 0;
    for (char c : digits) {
      int d = -1;
      if (c >= '0' && c <= '9') d = c - '0';
      if (hex && Lower(c) >= 'a' && Lower(c) <= 'f') d = Lower(c) - 'a' + 10;
      if (d < 0) return std::nullopt;
      cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(d);
    }
    return cp;
  }
  static constexpr struct {
    const char* name;
    uint32_t cp;
  } kNamed[] = {{"amp", '&'},  {"lt", '<'},    {"gt", '>'},
                {"quot", '"'}, {"apos", '\''}, {"nbsp", 0xa0}};
  for (const auto& n : kNamed) {
    if (ref == n.name) return n.cp;
  }
  return std::nullopt;
}

std::string DecodeReferences(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      const size_t semi = text.find(';', i + 1);
      if (semi != std::string_view::npos && semi - i <= 10) {
        if (const auto cp = Reference(text.substr(i + 1, semi - i - 1))) {
          AppendUtf8(out, *cp);
          i = semi;
          continue;
        }
      }
    }
    out.push_back(text[i]);
  }
  return out;
}

struct Tag {
  std::string_view name;  // without the '/'
  bool closing = false;
  std::vector<std::pair<std::string_view, std::string_view>> attributes;

  std::string_view Attribute(std::string_view wanted) const {
    for (const auto& [n, v] : attributes) {
      if (SameWord(n, wanted)) return v;
    }
    return {};
  }
};

// Reads the tag whose '<' is at `pos`; `pos` ends after its '>' (or at the end).
Tag ReadTag(std::string_view html, size_t& pos) {
  Tag tag;
  ++pos;
  if (pos < html.size() && html[pos] == '/') {
    tag.closing = true;
    ++pos;
  }
  const size_t nameStart = pos;
  while (pos < html.size() && IsNameChar(html[pos])) ++pos;
  tag.name = html.substr(nameStart, pos - nameStart);
  while (pos < html.size() && html[pos] != '>') {
    if (!IsNameChar(html[pos])) {
      ++pos;
      continue;
    }
    const size_t attrStart = pos;
    while (pos < html.size() && IsNameChar(html[pos])) ++pos;
    const std::string_view attr = html.substr(attrStart, pos - attrStart);
    while (pos < html.size() && IsSpace(html[pos])) ++pos;
    std::string_view value;
    if (pos < html.size() && html[pos] == '=') {
      ++pos;
      while (pos < html.size() && IsSpace(html[pos])) ++pos;
      if (pos < html.size() && (html[pos] == '"' || html[pos] == '\'')) {
        const char quote = html[pos++];
        const size_t end = std::min(html.find(quote, pos), html.size());
        value = html.substr(pos, end - pos);
        pos = end < html.size() ? end + 1 : end;
      } else {
        const size_t valueStart = pos;
        while (pos < html.size() && !IsSpace(html[pos]) && html[pos] != '>') ++pos;
        value = html.substr(valueStart, pos - valueStart);
      }
    }
    tag.attributes.emplace_back(attr, value);
  }
  if (pos < html.size()) ++pos;  // the '>'
  return tag;
}

class SitemapBuilder {
 public:
  SitemapBuilder() { lists_.push_back(&root_); }

  bool Full() const { return count_ >= kSitemapMaxEntries; }

  void OpenList() {
    std::vector<SitemapEntry>* top = lists_.back();
    // A list with no entry before it, or one nested too deep, joins the current level.
    if (top->empty() || lists_.size() >= kSitemapMaxDepth) {
      lists_.push_back(top);
    } else {
      lists_.push_back(&top->back().children);
    }
  }

  void CloseList() {
    if (lists_.size() > 1) lists_.pop_back();
  }

  void OpenEntry() {
    CloseEntry();
    pending_.emplace();
  }

  void Param(std::string_view name, std::string_view value) {
    if (!pending_) return;
    if (SameWord(name, "Name") && pending_->name.empty()) pending_->name = DecodeReferences(value);
    if (SameWord(name, "Local") && pending_->local.empty()) {
      pending_->local = DecodeReferences(value);
    }
  }

  void CloseEntry() {
    if (!pending_) return;
    if (!Full() && (!pending_->name.empty() || !pending_->local.empty())) {
      // Only the innermost list grows, so the outer lists' pointers stay valid.
      lists_.back()->push_back(std::move(*pending_));
      ++count_;
    }
    pending_.reset();
  }

  std::vector<SitemapEntry> Take() {
    CloseEntry();
    return std::move(root_);
  }

 private:
  std::vector<SitemapEntry> root_;
  std::vector<std::vector<SitemapEntry>*> lists_;
  std::optional<SitemapEntry> pending_;
  size_t count_ = 0;
};

}  // namespace

std::vector<SitemapEntry> ParseSitemap(std::string_view html) {
  SitemapBuilder builder;
  size_t pos = 0;
  while (!builder.Full()) {
    pos = html.find('<', pos);
    if (pos == std::string_view::npos) break;
    if (html.substr(pos, 4) == "<!--") {
      const size_t end = html.find("-->", pos + 4);
      pos = end == std::string_view::npos ? html.size() : end + 3;
      continue;
    }
    const Tag tag = ReadTag(html, pos);
    if (SameWord(tag.name, "ul")) {
      builder.CloseEntry();
      tag.closing ? builder.CloseList() : builder.OpenList();
    } else if (SameWord(tag.name, "object")) {
      if (tag.closing) {
        builder.CloseEntry();
      } else if (SameWord(tag.Attribute("type"), "text/sitemap")) {
        builder.OpenEntry();
      } else {
        builder.CloseEntry();
      }
    } else if (SameWord(tag.name, "param") && !tag.closing) {
      builder.Param(tag.Attribute("name"), tag.Attribute("value"));
    } else if (SameWord(tag.name, "li")) {
      builder.CloseEntry();
    }
  }
  return builder.Take();
}

}  // namespace tarlyk
