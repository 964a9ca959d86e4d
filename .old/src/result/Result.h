#pragma once

#include <QString>

#include <optional>
#include <utility>

namespace ojn {

// A failure on its way into a Result of any type: `return Failure{why};`.
struct Failure {
    QString message;
};

// What an operation that can fail gives back: its value, or a message that
// tells the user what went wrong in plain words. Result<> carries no value.
template <typename T = void>
class [[nodiscard]] Result {
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Failure failure) : m_error(failure.message.isEmpty() ? QStringLiteral("Unknown error.") : std::move(failure.message)) {}
    static Result failure(const QString &message) { return Result(Failure{message}); }

    bool ok() const { return m_value.has_value(); }
    const QString &error() const { return m_error; }

    // Only on success.
    const T &value() const & { return *m_value; }
    T &value() & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    const T *operator->() const { return &*m_value; }
    T *operator->() { return &*m_value; }

private:
    std::optional<T> m_value;
    QString m_error;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result(Failure failure) : m_error(failure.message.isEmpty() ? QStringLiteral("Unknown error.") : std::move(failure.message)) {}
    static Result success() { return Result(); }
    static Result failure(const QString &message) { return Result(Failure{message}); }

    bool ok() const { return m_error.isEmpty(); }
    const QString &error() const { return m_error; }

private:
    Result() = default;
    QString m_error;
};

} // namespace ojn
