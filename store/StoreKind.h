#pragma once

// The two halves of the PC store: the phone book and the message archive.
enum class StoreKind { Phone, Message };
