#pragma once

#include "core/common/refusal.h"

#include <optional>
#include <utility>
#include <variant>

namespace korvessa {

// A value or the refusal that stopped its making.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value)
        : m_state(std::move(value))
    {
    }
    Result(Refusal refusal)
        : m_state(std::move(refusal))
    {
    }

    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }

    const T& value() const& { return std::get<T>(m_state); }
    T& value() & { return std::get<T>(m_state); }
    T&& value() && { return std::get<T>(std::move(m_state)); }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }

    const Refusal& refusal() const { return std::get<Refusal>(m_state); }

private:
    std::variant<T, Refusal> m_state;
};

// The outcome of an action that yields no value: empty when it went through.
class [[nodiscard]] Status {
public:
    Status() = default;
    Status(Refusal refusal)
        : m_refusal(std::move(refusal))
    {
    }
    template <typename T>
    Status(const Result<T>& result)
    {
        if (!result.ok())
            m_refusal = result.refusal();
    }

    static Status success() { return {}; }

    bool ok() const { return !m_refusal.has_value(); }
    explicit operator bool() const { return ok(); }
    const Refusal& refusal() const { return *m_refusal; }

private:
    std::optional<Refusal> m_refusal;
};

} // namespace korvessa
