#pragma once

// Application-wide object built on first use and destroyed at exit (after
// main returns, in reverse order of construction).
template <typename T>
class Singleton
{
public:
    static T &instance()
    {
        static T object;
        return object;
    }

protected:
    Singleton() = default;
    ~Singleton() = default;

public:
    Singleton(const Singleton &) = delete;
    Singleton &operator=(const Singleton &) = delete;
};
