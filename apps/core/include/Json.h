#pragma once
// A small JSON value and its writer: objects and arrays of objects one member a
// line, arrays of plain values on one line; floats as the shortest text that
// reads back as the same 32-bit float.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

class Json {
 public:
  using Array = std::vector<Json>;
  using Object = std::vector<std::pair<std::string, Json>>;  // in insertion order

  Json() : fValue(nullptr) {}
  Json(std::nullptr_t) : fValue(nullptr) {}        // NOLINT
  Json(bool v) : fValue(v) {}                      // NOLINT
  Json(int v) : fValue(std::int64_t{v}) {}         // NOLINT
  Json(unsigned v) : fValue(std::int64_t{v}) {}    // NOLINT
  Json(std::int64_t v) : fValue(v) {}              // NOLINT
  Json(float v) : fValue(v) {}                     // NOLINT
  Json(const char* v) : fValue(std::string(v)) {}  // NOLINT
  Json(std::string v) : fValue(std::move(v)) {}    // NOLINT
  Json(Array v) : fValue(std::move(v)) {}          // NOLINT
  Json(Object v) : fValue(std::move(v)) {}         // NOLINT

  std::string Write() const;

 private:
  void WriteTo(std::string& out, int indent) const;
  bool IsPlain() const;

  std::variant<std::nullptr_t, bool, std::int64_t, float, std::string, Array, Object> fValue;
};
