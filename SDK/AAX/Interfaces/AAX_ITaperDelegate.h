// AAX_ITaperDelegate: maps a parameter's real value to the host's normalized [0, 1] value and back.
#pragma once

/** The type-independent base, so a parameter interface can take any taper. */
class AAX_ITaperDelegateBase
{
public:
    virtual ~AAX_ITaperDelegateBase() = default;
};

/** A taper for real values of type T. Normalized values are doubles in [0, 1]. */
template <typename T>
class AAX_ITaperDelegate : public AAX_ITaperDelegateBase
{
public:
    /** A new copy; the caller owns it. */
    virtual AAX_ITaperDelegate* Clone() const = 0;
    virtual T GetMaximumValue() const = 0;
    virtual T GetMinimumValue() const = 0;
    /** The nearest value the taper can produce. */
    virtual T ConstrainRealValue (T value) const = 0;
    virtual T NormalizedToReal (double normalizedValue) const = 0;
    virtual double RealToNormalized (T realValue) const = 0;
};
