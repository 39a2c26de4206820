#pragma once

#include <QString>

// Passwords are stored as salted Argon2id hashes, never as typed.
namespace password {

// The text to store for `plain`; empty if the hashing library cannot run.
QString hash(const QString& plain);

// Whether `stored` is a hash made by hash() (as opposed to a legacy clear-text row).
bool isHash(const QString& stored);

// Whether `plain` matches the stored hash.
bool verify(const QString& stored, const QString& plain);

} // namespace password
