// Test helpers for Boolean terms: an evaluator that works on the term text itself, independent of
// the term checker's groups, and a generator of random well-formed terms.
#pragma once

#include <array>
#include <random>
#include <string>
#include <string_view>

namespace kardo::test {

// Evaluates a well-formed term (one the checker accepted) by recursive descent over its text;
// values[k] is the value of letter 'A' + k.
class ReferenceEvaluator {
  public:
    ReferenceEvaluator(std::string_view text, const std::array<bool, 26>& values)
        : m_text(text), m_values(values) {}

    bool Evaluate() {
        m_pos = 0;
        return Or();
    }

  private:
    void Skip() {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
            ++m_pos;
    }
    bool At(char c) {
        Skip();
        return m_pos < m_text.size() && m_text[m_pos] == c;
    }
    bool Or() {
        bool r = And();
        while (At('v')) {
            ++m_pos;
            const bool x = And();
            r = r || x;
        }
        return r;
    }
    bool And() {
        bool r = Not();
        while (At('&')) {
            ++m_pos;
            const bool x = Not();
            r = r && x;
        }
        return r;
    }
    bool Not() {
        Skip();
        if (At('/') || At('!')) {
            ++m_pos;
            return !Not();
        }
        if (m_text.substr(m_pos, 2) == "\xC2\xAC") { // "¬"
            m_pos += 2;
            return !Not();
        }
        return Factor();
    }
    bool Factor() {
        if (At('(')) {
            ++m_pos;
            const bool r = Or();
            Skip();
            ++m_pos; // ")"
            return r;
        }
        Skip();
        const char letter = m_text[m_pos++];
        return m_values[static_cast<std::size_t>(letter - 'A')];
    }

    std::string_view m_text;
    const std::array<bool, 26>& m_values;
    std::size_t m_pos = 0;
};

// The value of a well-formed term when the variables listed in `variables` (alphabetical) take
// the bits of row, the first variable the most significant.
inline bool ReferenceValue(std::string_view term, std::string_view variables, unsigned row) {
    std::array<bool, 26> values{};
    const std::size_t n = variables.size();
    for (std::size_t k = 0; k < n; ++k)
        values[static_cast<std::size_t>(variables[k] - 'A')] = ((row >> (n - 1 - k)) & 1u) != 0;
    return ReferenceEvaluator(term, values).Evaluate();
}

// Random well-formed terms over the first `vars` letters of "ABCDEF...": chains of one to three
// operands, nesting up to `depth` parentheses, negations before variables and groups, now and
// then a blank or "!" for "/".
class RandomTerms {
  public:
    explicit RandomTerms(unsigned seed) : m_rng(seed) {}

    // A term of at most 250 characters, the longest the checker takes.
    std::string Next(int vars, int depth) {
        for (;;) {
            std::string t = Term(vars, depth);
            if (t.size() <= 250)
                return t;
        }
    }

  private:
    int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }

    std::string Term(int vars, int depth) {
        std::string t;
        const int ors = Pick(1, 3);
        for (int i = 0; i < ors; ++i) {
            if (i > 0)
                t += Pick(0, 9) == 0 ? " v " : "v";
            const int ands = Pick(1, 3);
            for (int k = 0; k < ands; ++k) {
                if (k > 0)
                    t += '&';
                t += Operand(vars, depth);
            }
        }
        return t;
    }
    std::string Operand(int vars, int depth) {
        std::string t;
        const int nots = Pick(0, 5) < 3 ? 0 : Pick(1, 2);
        for (int i = 0; i < nots; ++i)
            t += Pick(0, 7) == 0 ? '!' : '/';
        if (depth > 0 && Pick(0, 99) < 35)
            return t + "(" + Term(vars, depth - 1) + ")";
        static constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUWXYZ";
        return t + kLetters[static_cast<std::size_t>(Pick(0, vars - 1))];
    }

    std::mt19937 m_rng;
};

} // namespace kardo::test
