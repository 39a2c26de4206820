#pragma once

// The lock keys the status bars show. Read through this seam so tests can set them.
class KeyboardState
{
public:
    virtual ~KeyboardState() = default;
    virtual bool numLock() const = 0;
};

// The real keyboard: asks the X server where there is one, else reports off.
class SystemKeyboardState final : public KeyboardState
{
public:
    bool numLock() const override;
};

class FixedKeyboardState final : public KeyboardState
{
public:
    bool numLock() const override { return numLockOn; }
    bool numLockOn = false;
};
