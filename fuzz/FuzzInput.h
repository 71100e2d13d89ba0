#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Reading a fuzzer's bytes as the values a target needs, and stopping loudly
// when a target finds its property broken.

// Aborts with `what` when `ok` is false: libFuzzer keeps the input as a
// crash, the corpus replay fails.
#define FUZZ_CHECK(ok, what)                                               \
    do {                                                                   \
        if (!(ok)) {                                                       \
            std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, what); \
            std::abort();                                                  \
        }                                                                  \
    } while (0)

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Empty() const { return m_pos >= m_size; }
    size_t Left() const { return m_size - m_pos; }

    // The next byte, 0 once the input is used up.
    uint8_t Byte() { return Empty() ? 0 : m_data[m_pos++]; }
    // The next two bytes as a number, 0 once the input is used up.
    unsigned Word() { return Byte() | unsigned(Byte()) << 8; }

    // Bytes up to (not including) the next `end`, or to the input's end.
    QByteArray BytesUntil(char end) {
        QByteArray out;
        while (!Empty()) {
            const char c = static_cast<char>(m_data[m_pos++]);
            if (c == end) {
                break;
            }
            out.append(c);
        }
        return out;
    }
    QByteArray Rest() {
        const QByteArray out(reinterpret_cast<const char*>(m_data + m_pos),
                             static_cast<qsizetype>(Left()));
        m_pos = m_size;
        return out;
    }

    // A text up to the next 0xFF byte. Each byte is one character; a byte
    // 0xF0-0xFE takes the two bytes after it as a character of its own, so
    // texts beyond Latin-1 (and beyond the BMP) come up as well. Surrogate
    // halves are left out: every text is valid Unicode.
    QString Text() {
        QString out;
        while (!Empty()) {
            const uint8_t b = Byte();
            if (b == 0xFF) {
                break;
            }
            if (b < 0xF0) {
                out += QChar(b);
                continue;
            }
            char32_t cp = (char32_t(b - 0xF0) << 16) | Word();
            if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
                cp = 0xFFFD;
            }
            out += QString::fromUcs4(&cp, 1);
        }
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};
