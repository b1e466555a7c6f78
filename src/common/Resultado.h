#pragma once

#include <QString>

#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

// Why an operation did not do what was asked: the message shown to the user as it stands, and the
// field the window puts the focus on (empty when none).
struct Falha {
    QString mensagem;
    QString campo;

    Falha() = default;
    explicit Falha(QString texto, QString campoFoco = {}) : mensagem(std::move(texto)), campo(std::move(campoFoco)) {}
};

// A value, or the Falha that stopped it. The one way postings, commands, schema steps and server
// administration report failure; it cannot be dropped unread.
template <class T = void>
class [[nodiscard]] Resultado {
public:
    Resultado(const T& valor) : m_v(std::in_place_index<0>, valor) {}
    Resultado(T&& valor) : m_v(std::in_place_index<0>, std::move(valor)) {}
    Resultado(Falha falha) : m_v(std::in_place_index<1>, std::move(falha)) {}

    bool ok() const { return m_v.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only on success.
    T& valor() & { return std::get<0>(m_v); }
    const T& valor() const& { return std::get<0>(m_v); }
    T&& valor() && { return std::get<0>(std::move(m_v)); }
    T& operator*() & { return valor(); }
    const T& operator*() const& { return valor(); }
    T* operator->() { return &valor(); }
    const T* operator->() const { return &valor(); }
    // The value, or the given one when it failed: for callers to whom a failure reads as that value.
    T valorOu(T alternativa) const { return ok() ? valor() : std::move(alternativa); }

    // Only on failure.
    const Falha& falha() const { return std::get<1>(m_v); }
    const QString& mensagem() const { return falha().mensagem; }
    const QString& campo() const { return falha().campo; }

private:
    std::variant<T, Falha> m_v;
};

template <>
class [[nodiscard]] Resultado<void> {
public:
    Resultado() = default;
    Resultado(Falha falha) : m_falha(std::move(falha)) {}

    bool ok() const { return !m_falha; }
    explicit operator bool() const { return ok(); }

    const Falha& falha() const { return *m_falha; }
    const QString& mensagem() const { return m_falha->mensagem; }
    const QString& campo() const { return m_falha->campo; }

private:
    std::optional<Falha> m_falha;
};
