#!/usr/bin/env python3
"""Writes the demo card images vsim/cards/demo.card and vsim/cards/demo-pin.card.

Records are encoded here after GSM 11.11 (EF ADN, EXT1, MSISDN, SMSP, ICCID) and
GSM 03.40 / 03.38 (EF SMS: SMS-DELIVER and SMS-SUBMIT, 7-bit and UCS2 user data).
Run it again after changing the contents:  python3 vsim/tools/make_demo_cards.py
"""
import os

ADN_COUNT, ADN_LEN = 250, 28
EXT1_COUNT, EXT1_LEN = 10, 13
SMS_COUNT, SMS_LEN = 40, 176
MSISDN_COUNT, MSISDN_LEN = 2, 28
SMSP_COUNT, SMSP_LEN = 2, 40

# GSM 03.38 default alphabet for the characters the demo names use beyond ASCII letters and digits.
GSM = {'@': 0x00, '$': 0x02, '_': 0x11, 'è': 0x04, 'é': 0x05, 'ü': 0x7E, 'ö': 0x7C, 'ä': 0x7B, 'ñ': 0x7D}


def gsm_alpha(text):
    out = []
    for ch in text:
        if ch in GSM:
            out.append(GSM[ch])
        elif 0x20 <= ord(ch) < 0x7F and ch not in '[]{}\\^~|`$@_':
            out.append(ord(ch))
        else:
            raise ValueError('not in the default alphabet: %r' % ch)
    return out


def ucs2_80(text):
    out = [0x80]
    for ch in text:
        out += [ord(ch) >> 8, ord(ch) & 0xFF]
    return out


def ucs2_81(text):
    """81 format: count, base byte (base = byte * 128), characters as base + (byte - 80) or GSM."""
    wide = [ord(c) for c in text if ord(c) >= 0x80]
    base = (min(wide) >> 7) << 7
    out = [0x81, len(text), base >> 7]
    for ch in text:
        out.append(0x80 + ord(ch) - base if ord(ch) >= 0x80 else gsm_alpha(ch)[0])
    return out


def ucs2_82(text):
    """82 format: count, 16-bit base, characters as base + (byte - 80) or bytes below 80."""
    wide = [ord(c) for c in text if ord(c) >= 0x80]
    base = min(wide)
    out = [0x82, len(text), base >> 8, base & 0xFF]
    for ch in text:
        out.append(0x80 + ord(ch) - base if ord(ch) >= 0x80 else ord(ch))
    return out


def bcd(digits):
    """Packed BCD, first digit in the low half; * -> A, # -> B; odd count padded with F."""
    nib = ['0123456789*#'.index(d) for d in digits]
    if len(nib) % 2:
        nib.append(0xF)
    return [nib[i] | (nib[i + 1] << 4) for i in range(0, len(nib), 2)]


def fit(data, length):
    if len(data) > length:
        raise ValueError('%d bytes do not fit in %d' % (len(data), length))
    return data + [0xFF] * (length - len(data))


def dialling(number):
    """Length byte, TON/NPI, 10 BCD bytes; the digits beyond 20 are returned for EXT1."""
    intl = number.startswith('+')
    digits = number.lstrip('+')
    main, more = digits[:20], digits[20:]
    code = bcd(main)
    return [len(code) + 1, 0x91 if intl else 0x81] + fit(code, 10), more


def adn(name_bytes, number, ext_id=0xFF):
    x = ADN_LEN - 14
    number_part, more = dialling(number) if number else ([0xFF] * 12, '')
    assert bool(more) == (ext_id != 0xFF)
    return fit(name_bytes, x) + number_part + [0xFF, ext_id]


def ext1(digits):
    code = bcd(digits)
    return [0x02, len(code)] + fit(code, 10) + [0xFF]


def address(number, kind):
    """An SMS address: digit count, type, BCD digits."""
    digits = number.lstrip('+')
    return [len(digits), 0x91 if number.startswith('+') else kind] + bcd(digits)


def sc_address(number):
    code = bcd(number.lstrip('+'))
    return [len(code) + 1, 0x91 if number.startswith('+') else 0x81] + code


def swapped(value):
    return (value % 10) << 4 | (value // 10)


def stamp(y, mo, d, h, mi, s, tz_quarters):
    return [swapped(v) for v in (y % 100, mo, d, h, mi, s, tz_quarters)]


def septets(text):
    sept = gsm_alpha(text)
    out, acc, bits = [], 0, 0
    for s in sept:
        acc |= s << bits
        bits += 7
        while bits >= 8:
            out.append(acc & 0xFF)
            acc >>= 8
            bits -= 8
    if bits:
        out.append(acc & 0xFF)
    return len(sept), out


def user_data(text, ucs2):
    if ucs2:
        data = []
        for ch in text:
            data += [ord(ch) >> 8, ord(ch) & 0xFF]
        return 0x08, len(data), data
    n, data = septets(text)
    return 0x00, n, data


SC = '+886935000123'


def deliver(status, sender, text, when, ucs2=False):
    dcs, udl, ud = user_data(text, ucs2)
    pdu = sc_address(SC) + [0x04] + address(sender, 0x81) + [0x00, dcs] + stamp(*when) + [udl] + ud
    return fit([status] + pdu, SMS_LEN)


def submit(dest, text, ucs2=False):
    dcs, udl, ud = user_data(text, ucs2)
    # SC address left to the phone (length 00), first octet 11: SMS-SUBMIT with a one-byte
    # relative validity period; message reference 00; validity A7 (24 hours).
    pdu = [0x00, 0x11, 0x00] + address(dest, 0x81) + [0x00, dcs, 0xA7, udl] + ud
    return fit([0x07] + pdu, SMS_LEN)


def free_sms():
    return [0x00] + [0xFF] * (SMS_LEN - 1)


CONTACTS = [
    ('gsm', 'Alice Chen', '+886912345678'),
    ('gsm', 'Bob Lin', '0912345678'),
    ('80', '王小明', '0223456789'),
    ('gsm', 'Voicemail', '*123#'),
    ('81', '丁一', '+85291234567'),
    ('82', '李林 Li', '0933111222'),
    ('gsm', 'José Müller', '+4930123456'),
    ('gsm', 'Office', '+886227001234'),
    ('80', '陳大文', '0988777666'),
    ('gsm', 'Long Number', '+886212345678901234567890123', 1),
    ('gsm', 'Pizza_Shop', '0227771234'),
    ('gsm', 'Balance *#', '*#100#'),
    ('80', '媽媽', '0911000111'),
    ('80', '爸爸', '0911000222'),
    ('gsm', 'Dr. Wang', '0277778888'),
    ('81', '丈七', '0955123456'),
    ('gsm', 'Taxi', '+886255551234'),
    ('gsm', 'Hotel Lobby', '+81312345678'),
    ('80', '公司', '0229998888'),
    ('gsm', 'Emergency', '112'),
    ('gsm', 'Name Only', ''),
    ('gsm', 'Grace Ho', '0966555444'),
    ('80', '林老師', '0912987654'),
    ('gsm', 'Henry@Work', '+14155552671'),
    ('gsm', 'Ivy', '0900123123'),
    ('82', '李林', '0922333444'),
    ('gsm', 'Jack Tsai', '0919191919'),
    ('gsm', 'Kelly', '0928282828'),
    ('80', '張三', '0937373737'),
    ('gsm', 'Leo', '0946464646'),
    ('gsm', 'Mia Wu', '+886955555555'),
    ('gsm', 'Nina', '0964646464'),
    ('80', '李四', '0973737373'),
    ('gsm', 'Oscar', '0982828282'),
    ('gsm', 'Paul', '0991919191'),
    ('gsm', 'Queen Street', '0223334444'),
]

NAMES = {'gsm': gsm_alpha, '80': ucs2_80, '81': ucs2_81, '82': ucs2_82}

MESSAGES = [
    deliver(0x01, '+886912345678', 'Hello', (24, 3, 15, 9, 30, 0, 32)),
    deliver(0x03, '0912345678', 'Meeting moved to 10:00 tomorrow', (24, 3, 16, 18, 5, 42, 32)),
    deliver(0x01, '+886955555555', '你好，明天見', (24, 4, 1, 12, 0, 7, 32), ucs2=True),
    deliver(0x03, '0223456789', 'Your code is 4821', (24, 5, 2, 8, 15, 59, 32)),
    submit('0912345678', 'See you at 7'),
    free_sms(),
    deliver(0x01, '0988777666', '晚上一起吃飯嗎？', (24, 5, 20, 17, 45, 1, 32), ucs2=True),
    submit('+886912345678', '收到，謝謝', ucs2=True),
    deliver(0x03, '+14155552671', 'Flight LX123 boards at gate 7', (24, 6, 3, 6, 10, 20, 32)),
    free_sms(),
    deliver(0x01, '0911000111', 'Call me when you land', (24, 6, 3, 14, 22, 0, 32)),
    deliver(0x01, '112', 'Test alert', (24, 7, 1, 0, 0, 0, 0)),
    submit('0933111222', 'On my way'),
    deliver(0x03, '0229998888', '會議改到下午三點', (24, 7, 9, 9, 1, 2, 32), ucs2=True),
    deliver(0x01, '0900123123', 'Happy birthday!', (24, 8, 8, 8, 8, 8, 32)),
    free_sms(),
    deliver(0x01, '0927000000', 'Price: 20 EUR @ shop_2', (24, 9, 9, 19, 30, 30, 32)),
]


def records_text(fid, kind, count, length, records, extra=''):
    lines = ['', 'ef %s %s parent=7F10 records=%d length=%d%s' % (fid, kind, count, length, extra)]
    for n, rec in records:
        assert len(rec) == length
        lines.append('record %d %s' % (n, ' '.join('%02X' % b for b in rec)))
    return lines


def iccid(digits):
    return fit(bcd(digits), 10)


def image(pin_on):
    adn_recs, ext_recs = [], []
    used = [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 15, 16, 20, 21, 22, 25, 30, 31, 33, 40, 41, 50, 51,
            60, 64, 70, 80, 99, 100, 128, 150, 200, 249, 250]
    for n, contact in zip(used, CONTACTS):
        fmt, name, number = contact[:3]
        ext_id = contact[3] if len(contact) > 3 else 0xFF
        rec = adn(NAMES[fmt](name), number, ext_id)
        adn_recs.append((n, rec))
        if ext_id != 0xFF:
            ext_recs.append((ext_id, ext1(number.lstrip('+')[20:])))
    # Unused message records are free: status 00, the rest FF.
    messages = MESSAGES + [free_sms()] * (SMS_COUNT - len(MESSAGES))
    sms_recs = [(i + 1, rec) for i, rec in enumerate(messages)]
    msisdn = fit(gsm_alpha('Chen Wei'), MSISDN_LEN - 14) + dialling('+886912000111')[0] + [0xFF, 0xFF]
    y = SMSP_LEN - 28
    smsp = fit(gsm_alpha('Operator'), y) + [0xE1] + [0xFF] * 12 + fit(sc_address(SC), 12) + [0x00, 0x00, 0xA7]
    lines = [
        '# Quillon demo card%s. Written by vsim/tools/make_demo_cards.py; format: vsim/CARD_IMAGE_FORMAT.md'
        % (' with the PIN check on (PIN 1234)' if pin_on else ''),
        'atr 3B 02 14 50',
        'chv1 pin=1234 enabled=%s attempts=3 puk=12345678 unblock-attempts=10' % ('yes' if pin_on else 'no'),
        '',
        'ef 2FE2 transparent parent=3F00 size=10 read=ALW update=NEV',
        'data ' + ' '.join('%02X' % b for b in iccid('8988600012345678901')),
    ]
    lines += records_text('6F3A', 'linear', ADN_COUNT, ADN_LEN, adn_recs)
    lines += records_text('6F4A', 'linear', EXT1_COUNT, EXT1_LEN, ext_recs)
    lines += records_text('6F3C', 'linear', SMS_COUNT, SMS_LEN, sms_recs)
    lines += records_text('6F40', 'linear', MSISDN_COUNT, MSISDN_LEN, [(1, msisdn)])
    lines += records_text('6F42', 'linear', SMSP_COUNT, SMSP_LEN, [(1, smsp)])
    return '\n'.join(lines) + '\n'


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    cards = os.path.join(here, '..', 'cards')
    for name, pin_on in (('demo.card', False), ('demo-pin.card', True)):
        with open(os.path.join(cards, name), 'w', encoding='ascii', newline='\n') as f:
            f.write(image(pin_on))


if __name__ == '__main__':
    main()
