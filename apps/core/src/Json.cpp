#include "Json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "Utf8.h"

namespace {

void WriteString(std::string& out, const std::string& s) {
  out += '"';
  for (std::size_t k = 0; k < s.size(); ++k) {
    const auto c = static_cast<unsigned char>(s[k]);
    if (c >= 0x80) {
      // A stray byte would make the whole document unreadable as JSON; it is
      // shown as the replacement character instead.
      const std::size_t length = DecodeUtf8(s, k).length;
      out += length == 0 ? std::string_view("\xEF\xBF\xBD") : std::string_view(s).substr(k, length);
      k += length == 0 ? 0 : length - 1;
      continue;
    }
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  out += '"';
}

void Indent(std::string& out, int indent) { out.append(static_cast<std::size_t>(indent), ' '); }

}  // namespace

bool Json::IsPlain() const { return !std::holds_alternative<Array>(fValue) && !std::holds_alternative<Object>(fValue); }

void Json::WriteTo(std::string& out, int indent) const {
  if (std::holds_alternative<std::nullptr_t>(fValue)) {
    out += "null";
  } else if (const bool* b = std::get_if<bool>(&fValue)) {
    out += *b ? "true" : "false";
  } else if (const std::int64_t* i = std::get_if<std::int64_t>(&fValue)) {
    out += std::to_string(*i);
  } else if (const float* f = std::get_if<float>(&fValue)) {
    if (!std::isfinite(*f)) {
      // JSON has no infinities; a string keeps the document valid and the value plain to see.
      WriteString(out, std::isnan(*f) ? "nan" : (*f > 0 ? "inf" : "-inf"));
    } else {
      char buf[32];
      auto r = std::to_chars(buf, buf + sizeof buf, *f);
      out.append(buf, r.ptr);
    }
  } else if (const std::string* s = std::get_if<std::string>(&fValue)) {
    WriteString(out, *s);
  } else if (const Array* a = std::get_if<Array>(&fValue)) {
    bool plain = true;
    for (const Json& v : *a) plain = plain && v.IsPlain();
    if (a->empty()) {
      out += "[]";
    } else if (plain) {
      out += '[';
      for (std::size_t k = 0; k < a->size(); ++k) {
        if (k > 0) out += ", ";
        (*a)[k].WriteTo(out, indent);
      }
      out += ']';
    } else {
      out += "[\n";
      for (std::size_t k = 0; k < a->size(); ++k) {
        Indent(out, indent + 2);
        (*a)[k].WriteTo(out, indent + 2);
        out += k + 1 < a->size() ? ",\n" : "\n";
      }
      Indent(out, indent);
      out += ']';
    }
  } else {
    const Object& o = std::get<Object>(fValue);
    if (o.empty()) {
      out += "{}";
      return;
    }
    // Small objects of plain values stay on one line, so that a vertex or a
    // menu entry reads as one.
    std::string inline_ = "{";
    bool plain = true;
    for (std::size_t k = 0; k < o.size() && plain; ++k) {
      const Json& v = o[k].second;
      const Array* a = std::get_if<Array>(&v.fValue);
      plain = v.IsPlain() || (a != nullptr && (a->empty() || std::all_of(a->begin(), a->end(),
                                                                         [](const Json& e) { return e.IsPlain(); })));
      if (k > 0) inline_ += ", ";
      WriteString(inline_, o[k].first);
      inline_ += ": ";
      v.WriteTo(inline_, 0);
    }
    inline_ += "}";
    if (plain && inline_.size() <= 120) {
      out += inline_;
      return;
    }
    out += "{\n";
    for (std::size_t k = 0; k < o.size(); ++k) {
      Indent(out, indent + 2);
      WriteString(out, o[k].first);
      out += ": ";
      o[k].second.WriteTo(out, indent + 2);
      out += k + 1 < o.size() ? ",\n" : "\n";
    }
    Indent(out, indent);
    out += '}';
  }
}

std::string Json::Write() const {
  std::string out;
  WriteTo(out, 0);
  out += '\n';
  return out;
}
