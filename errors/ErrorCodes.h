#pragma once

#include <string>
#include <system_error>

namespace quib {

// The error codes of an enumeration of the program's own failures, each
// told by the text `Describe` gives it: one category per enumeration.
template <class Enum, const char* Describe(Enum)>
class EnumErrorCategory final : public std::error_category {
  public:
    explicit EnumErrorCategory(const char* name) : m_name(name) {}
    const char* name() const noexcept override { return m_name; }
    std::string message(int value) const override { return Describe(Enum(value)); }

  private:
    const char* m_name;
};

template <class Enum, const char* Describe(Enum)>
std::error_code MakeErrorCode(Enum error, const char* categoryName) {
    static const EnumErrorCategory<Enum, Describe> category(categoryName);
    return {int(error), category};
}

} // namespace quib
