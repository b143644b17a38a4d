#pragma once

#include <cmath>

namespace zelvane {

// A point or direction in model space: left-handed, Y up.
struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    friend bool operator==(const Vector3&, const Vector3&) = default;
};

inline Vector3 operator+(const Vector3& a, const Vector3& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

inline Vector3 operator-(const Vector3& a, const Vector3& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

inline Vector3 operator-(const Vector3& a)
{
    return {-a.x, -a.y, -a.z};
}

inline Vector3 operator*(const Vector3& a, float s)
{
    return {a.x * s, a.y * s, a.z * s};
}

inline Vector3& operator+=(Vector3& a, const Vector3& b)
{
    a = a + b;
    return a;
}

inline float Dot(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Vector3 Cross(const Vector3& a, const Vector3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline float Length(const Vector3& a)
{
    return std::sqrt(Dot(a, a));
}

// A vector of no length stays the zero vector instead of becoming NaN.
inline Vector3 Normalize(const Vector3& a)
{
    const float length = Length(a);
    if (length == 0.0f)
        return {};
    return {a.x / length, a.y / length, a.z / length};
}

struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;

    friend bool operator==(const Vector2&, const Vector2&) = default;
};

// An RGBA colour.
struct Color4 {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;

    friend bool operator==(const Color4&, const Color4&) = default;
};

} // namespace zelvane
