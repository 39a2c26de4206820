#pragma once

#include <QString>

#include <concepts>
#include <optional>
#include <utility>
#include <variant>

// Why a piece of logic did not do its work, ready for a box: in Indonesian,
// or "SQL error: " with the database's own message. Never empty.
struct Failure {
    QString reason;
    bool fromDatabase = false; // the database's own message
    bool partlyDone = false;   // part of the work was done before it failed
};

// What a logic call that can fail gives back: its value, or the reason it
// failed. Logic returns; screens show. Outcome<> carries no value.
template <typename T = std::monostate> class [[nodiscard]] Outcome
{
public:
    Outcome() requires std::same_as<T, std::monostate> : m_value(T{}) {}
    Outcome(T value) : m_value(std::move(value)) {}
    Outcome(Failure failure)
        : m_reason(std::move(failure.reason)), m_fromDatabase(failure.fromDatabase),
          m_partlyDone(failure.partlyDone)
    {
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    const T& value() const { return *m_value; }
    const T& operator*() const { return *m_value; }
    const T* operator->() const { return &*m_value; }

    // Empty on success.
    const QString& reason() const { return m_reason; }
    // The reason is the database's own message ("SQL error: …").
    bool fromDatabase() const { return m_fromDatabase; }
    // Part of the work was done before the failure.
    bool partlyDone() const { return m_partlyDone; }
    // The failure, to hand on from a call of another type.
    Failure failure() const { return Failure{m_reason, m_fromDatabase, m_partlyDone}; }

private:
    std::optional<T> m_value;
    QString m_reason;
    bool m_fromDatabase = false;
    bool m_partlyDone = false;
};
