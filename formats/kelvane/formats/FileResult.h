#pragma once
// What reading or writing a file gives: the value, or the FileError that says why there
// is none. Every reader below the windows answers this way, so a caller cannot take a
// value without having looked whether there is one, and no reader throws.

#include "kelvane/FileSaving.h"

#include <optional>
#include <utility>
#include <variant>

namespace kelvane {

template<typename T>
class [[nodiscard]] FileResult
{
public:
    FileResult(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    FileResult(FileError error) : m_state(std::in_place_index<1>, std::move(error)) {}

    bool has_value() const { return m_state.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T &value() & { return std::get<0>(m_state); }
    const T &value() const & { return std::get<0>(m_state); }
    T &&value() && { return std::get<0>(std::move(m_state)); }
    T &operator*() & { return value(); }
    const T &operator*() const & { return value(); }
    T &&operator*() && { return std::move(*this).value(); }
    T *operator->() { return &value(); }
    const T *operator->() const { return &value(); }

    // Only when there is no value.
    const FileError &error() const { return std::get<1>(m_state); }

private:
    std::variant<T, FileError> m_state;
};

// A step that gives nothing but may fail.
template<>
class [[nodiscard]] FileResult<void>
{
public:
    FileResult() = default;
    FileResult(FileError error) : m_error(std::move(error)) {}

    bool has_value() const { return !m_error; }
    explicit operator bool() const { return has_value(); }
    // Only when the step failed.
    const FileError &error() const { return *m_error; }

private:
    std::optional<FileError> m_error;
};

} // namespace kelvane
