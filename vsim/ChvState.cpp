#include "vsim/ChvState.h"

ChvState::Block ChvState::block(const std::string& code)
{
    Block b;
    b.fill(0xFF);
    for (size_t i = 0; i < code.size() && i < b.size(); ++i) b[i] = static_cast<uint8_t>(code[i]);
    return b;
}

std::string ChvState::text(const Block& block)
{
    std::string s;
    for (uint8_t c : block) {
        if (c == 0xFF) break;
        s += static_cast<char>(c);
    }
    return s;
}

// Compares a presented code, counting a wrong one; the last wrong attempt blocks the code.
ChvState::Outcome ChvState::present(const Block& code)
{
    if (blocked()) return Outcome::Blocked;
    if (code != pin) {
        verified_ = false;
        --attemptsLeft;
        return blocked() ? Outcome::Blocked : Outcome::Wrong;
    }
    attemptsLeft = kMaxAttempts;
    verified_ = true;
    return Outcome::Ok;
}

ChvState::Outcome ChvState::verify(const Block& code)
{
    if (!enabled) return Outcome::Contradiction;
    return present(code);
}

ChvState::Outcome ChvState::change(const Block& oldCode, const Block& newCode)
{
    if (!enabled) return Outcome::Contradiction;
    Outcome o = present(oldCode);
    if (o == Outcome::Ok) pin = newCode;
    return o;
}

ChvState::Outcome ChvState::disable(const Block& code)
{
    if (!enabled) return Outcome::Contradiction;
    Outcome o = present(code);
    if (o == Outcome::Ok) enabled = false;
    return o;
}

ChvState::Outcome ChvState::enable(const Block& code)
{
    if (enabled) return Outcome::Contradiction;
    Outcome o = present(code);
    if (o == Outcome::Ok) enabled = true;
    return o;
}

ChvState::Outcome ChvState::unblock(const Block& unblockCode, const Block& newCode)
{
    if (unblockAttemptsLeft == 0) return Outcome::Blocked;
    if (unblockCode != puk) {
        --unblockAttemptsLeft;
        return unblockAttemptsLeft == 0 ? Outcome::Blocked : Outcome::Wrong;
    }
    unblockAttemptsLeft = kMaxUnblockAttempts;
    pin = newCode;
    attemptsLeft = kMaxAttempts;
    enabled = true;
    verified_ = true;
    return Outcome::Ok;
}
