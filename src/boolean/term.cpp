// The term checker: one pass over the characters with an explicit stack of open parentheses, so
// that deep nesting needs no recursion; groups are made as their chains close.
#include "boolean/term.h"

#include <algorithm>
#include <array>
#include <optional>

namespace kardo {

namespace {

constexpr char32_t kInvalid = 0xFFFD; // stands for a byte that is no valid UTF-8

// The code point starting at text[i]; i moves past it. A malformed sequence yields kInvalid for
// its first byte only; its other bytes follow as invalid characters of their own.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(text[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        ++i;
        return kInvalid;
    }
    if (i + static_cast<std::size_t>(extra) >= text.size()) {
        ++i;
        return kInvalid;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return kInvalid;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    // Overlong forms ("\xC1\x81" for "A"), surrogates and values beyond Unicode are no
    // characters: an overlong letter must not pass for a variable.
    constexpr char32_t kMinOf[4] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinOf[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
        ++i;
        return kInvalid;
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

std::string Utf8(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

bool IsVariable(char32_t c) { return c >= 'A' && c <= 'Z' && c != 'V'; }
bool IsNot(char32_t c) { return c == '/' || c == '!' || c == U'\u00AC'; }
bool IsBlank(char32_t c) { return c == ' ' || c == '\t'; }

// What the last symbol read was; decides which errors the next one can give.
enum class Last : std::uint8_t { Start, Operand, And, Or, Not, Open };

// One level of parentheses (the term itself is the outermost).
struct Frame {
    std::vector<TermOperand> orTerms;    // closed AND chains of this level
    std::vector<TermOperand> andFactors; // the AND chain being read
    bool negated = false;                // the "(" stood after an odd number of "/"
    int start = 0;                       // position of the frame's first operand
    int chainStart = 0;                  // position of the current AND chain's first operand
};

class Parser {
  public:
    explicit Parser(TermTree& tree) : m_tree(tree) {}

    std::optional<TermError> Run(std::string_view text);

  private:
    std::optional<TermError> AddFactor(TermOperand op, int position);
    std::optional<TermError> CloseChain(Frame& f);
    TermOperand CloseFrame(Frame& f);
    TermOperand MakeGroup(GroupKind kind, std::vector<TermOperand>& operands);

    TermTree& m_tree;
    std::vector<Frame> m_frames;
};

TermError Error(int position, std::string message) { return {position, std::move(message)}; }

TermOperand Parser::MakeGroup(GroupKind kind, std::vector<TermOperand>& operands) {
    m_tree.groups.push_back(TermGroup{kind, std::move(operands)});
    operands.clear();
    return TermOperand{true, false, static_cast<int>(m_tree.groups.size()) - 1};
}

std::optional<TermError> Parser::AddFactor(TermOperand op, int position) {
    Frame& f = m_frames.back();
    if (f.andFactors.empty())
        f.chainStart = position;
    if (static_cast<int>(f.andFactors.size()) == kMaxGroupOperands)
        return Error(position, "Mehr als 15 Operanden in einer Gruppe: das größte Gatter hat "
                               "15 Eingänge.");
    f.andFactors.push_back(op);
    return std::nullopt;
}

std::optional<TermError> Parser::CloseChain(Frame& f) {
    if (static_cast<int>(f.orTerms.size()) == kMaxGroupOperands)
        return Error(f.chainStart, "Mehr als 15 Operanden in einer Gruppe: das größte Gatter hat "
                                   "15 Eingänge.");
    if (f.andFactors.size() == 1) {
        f.orTerms.push_back(f.andFactors.front());
        f.andFactors.clear();
    } else {
        f.orTerms.push_back(MakeGroup(GroupKind::And, f.andFactors));
    }
    return std::nullopt;
}

// The operand a closed level stands for: its one chain, or an OR group of its chains.
TermOperand Parser::CloseFrame(Frame& f) {
    TermOperand op =
        f.orTerms.size() == 1 ? f.orTerms.front() : MakeGroup(GroupKind::Or, f.orTerms);
    op.negated = op.negated != f.negated;
    return op;
}

std::optional<TermError> Parser::Run(std::string_view text) {
    // The length first: it also bounds the nesting depth and the number of groups.
    int length = 0;
    for (std::size_t i = 0; i < text.size(); ++length) {
        NextCodePoint(text, i);
        if (length >= kMaxTermLength)
            return Error(kMaxTermLength + 1, "Der Term ist länger als 250 Zeichen.");
    }

    m_frames.clear();
    m_frames.emplace_back();
    Last last = Last::Start;
    int nots = 0;         // "/" read before the coming operand
    int operandStart = 0; // position of the coming operand's first symbol
    int position = 0;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = NextCodePoint(text, i);
        ++position;
        if (IsBlank(c))
            continue;
        const bool expectOperand = last != Last::Operand;
        if (expectOperand && last != Last::Not)
            operandStart = position;

        if (IsVariable(c) || c == '(') {
            if (!expectOperand)
                return Error(position, "Hier fehlt ein Operator.");
            if (c == '(') {
                Frame f;
                f.negated = nots % 2 != 0;
                f.start = operandStart;
                m_frames.push_back(std::move(f));
                nots = 0;
                last = Last::Open;
                continue;
            }
            const TermOperand op{false, nots % 2 != 0, static_cast<int>(c - 'A')};
            nots = 0;
            if (auto e = AddFactor(op, operandStart))
                return e;
            last = Last::Operand;
        } else if (IsNot(c)) {
            if (!expectOperand)
                return Error(position, "Hier fehlt ein Operator.");
            ++nots;
            last = Last::Not;
        } else if (c == '&' || c == 'v') {
            if (expectOperand)
                return Error(position, "Hier fehlt ein Operand.");
            if (c == 'v') {
                if (auto e = CloseChain(m_frames.back()))
                    return e;
                last = Last::Or;
            } else {
                last = Last::And;
            }
        } else if (c == ')') {
            if (m_frames.size() == 1)
                return Error(position, "Zu dieser schließenden Klammer fehlt die öffnende.");
            if (last == Last::Open)
                return Error(position, "Leere Klammern: zwischen \"(\" und \")\" fehlt ein Term.");
            if (expectOperand)
                return Error(position, "Hier fehlt ein Operand.");
            if (auto e = CloseChain(m_frames.back()))
                return e;
            Frame closed = std::move(m_frames.back());
            m_frames.pop_back();
            const TermOperand op = CloseFrame(closed);
            if (auto e = AddFactor(op, closed.start))
                return e;
            last = Last::Operand;
        } else {
            std::string shown = c == kInvalid ? std::string("?") : Utf8(c);
            return Error(position, "Unbekanntes Zeichen \u201E" + shown + "\u201C.\r\n" +
                                       std::string(kTermSyntaxHint));
        }
    }

    if (last == Last::Start)
        return Error(1, "Der Term ist leer.");
    if (last != Last::Operand)
        return Error(position + 1, "Hier fehlt ein Operand.");
    if (m_frames.size() > 1)
        return Error(position + 1, "Es fehlt eine schließende Klammer.");
    if (auto e = CloseChain(m_frames.back()))
        return e;
    m_tree.root = CloseFrame(m_frames.back());
    return std::nullopt;
}

// Variables were read as letter numbers 0..25; they become ranks among the letters used.
void NumberVariables(TermTree& tree) {
    std::array<int, 26> rank{};
    rank.fill(-1);
    auto mark = [&rank](const TermOperand& op) {
        if (!op.isGroup)
            rank[static_cast<std::size_t>(op.index)] = 0;
    };
    mark(tree.root);
    for (const TermGroup& g : tree.groups)
        std::for_each(g.operands.begin(), g.operands.end(), mark);
    for (int letter = 0; letter < 26; ++letter) {
        if (rank[static_cast<std::size_t>(letter)] < 0)
            continue;
        rank[static_cast<std::size_t>(letter)] = static_cast<int>(tree.variables.size());
        tree.variables += static_cast<char>('A' + letter);
    }
    auto renumber = [&rank](TermOperand& op) {
        if (!op.isGroup)
            op.index = rank[static_cast<std::size_t>(op.index)];
    };
    renumber(tree.root);
    for (TermGroup& g : tree.groups)
        std::for_each(g.operands.begin(), g.operands.end(), renumber);
}

} // namespace

TermCheck CheckTerm(std::string_view text) {
    TermCheck result;
    Parser parser(result.tree);
    if (auto e = parser.Run(text)) {
        result.error = std::move(*e);
        result.tree = TermTree{};
        return result;
    }
    NumberVariables(result.tree);
    result.ok = true;
    return result;
}

std::string TermErrorText(const TermError& error) {
    return "Fehler im Term an Position " + std::to_string(error.position) + ":\r\n" + error.message;
}

} // namespace kardo
