#include "vsim/StatusWord.h"

namespace {
struct Pair {
    uint16_t gsm;
    uint16_t iso;
};

Pair words(CardError error)
{
    switch (error) {
    case CardError::WrongLength: return {0x6700, 0x6700};
    case CardError::WrongParameters: return {0x6B00, 0x6B00};
    case CardError::UnknownInstruction: return {0x6D00, 0x6D00};
    case CardError::WrongClass: return {0x6E00, 0x6E00};
    case CardError::NoResponseData: return {0x6F00, 0x6985};
    case CardError::NoFileSelected: return {0x9400, 0x6986};
    case CardError::OutOfRange: return {0x9402, 0x6A83};
    case CardError::FileNotFound: return {0x9404, 0x6A82};
    case CardError::FileInconsistent: return {0x9408, 0x6981};
    case CardError::ChvNotInitialised: return {0x9802, 0x6984};
    case CardError::AccessDenied: return {0x9804, 0x6982};
    case CardError::ChvWrong: return {0x9804, 0x63C0};
    case CardError::ChvContradiction: return {0x9808, 0x6985};
    case CardError::Invalidated: return {0x9810, 0x6283};
    case CardError::ChvBlocked: return {0x9840, 0x6983};
    }
    return {0x6F00, 0x6F00};
}
}  // namespace

uint16_t StatusWord::of(CardError error, bool iso, uint8_t attemptsLeft)
{
    Pair p = words(error);
    if (!iso) return p.gsm;
    if (error == CardError::ChvWrong) return static_cast<uint16_t>(p.iso | (attemptsLeft & 0x0F));
    return p.iso;
}

uint16_t StatusWord::responseWaiting(uint8_t length, bool iso)
{
    return static_cast<uint16_t>((iso ? 0x6100 : 0x9F00) | length);
}
