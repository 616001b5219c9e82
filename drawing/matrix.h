#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tamrel {

// A two-dimensional array of doubles indexed (row, column), both from 0. A point
// matrix holds one point per row: column 0 = x, column 1 = y, column 2 = the homogeneous 1.
// Both dimensions lie within 0 to 32767, so that 16-bit loop counters reach every index.
class Matrix {
public:
    Matrix() = default;
    // A rows x columns matrix of zeros. Throws std::invalid_argument outside 0 to 32767.
    Matrix(int rows, int columns);

    int rows() const { return rows_; }
    int columns() const { return columns_; }

    double& operator()(int row, int column) { return values_[index(row, column)]; }
    double operator()(int row, int column) const { return values_[index(row, column)]; }

private:
    std::size_t index(int row, int column) const;

    int rows_ = 0;
    int columns_ = 0;
    std::vector<double> values_;
};

// The 3 x 3 matrix that turns a point row (x, y, 1) by t radians anticlockwise (y upwards):
// R(0,0) = cos t, R(0,1) = sin t, R(1,0) = -sin t, R(1,1) = cos t, R(2,2) = 1, all else 0.
Matrix RotMatrix(double t);

// The product A x B: C(i, j) = sum over k of A(i, k) x B(k, j), accumulated from 0 in the order
// k = 0, 1, 2, ... Throws std::invalid_argument unless A has as many columns as B has rows.
Matrix MatMul(const Matrix& a, const Matrix& b);

// A matrix whose shape is part of its type, held inline. The drawing forms two products for
// every tooth on every tick; these give exactly the values of Matrix, RotMatrix and MatMul
// without a heap allocation.
template <int Rows, int Columns> class FixedMatrix {
public:
    static_assert(Rows > 0 && Columns > 0, "a fixed matrix has at least one row and one column");

    static constexpr int rows() { return Rows; }
    static constexpr int columns() { return Columns; }

    double& operator()(int row, int column) { return values_[index(row, column)]; }
    double operator()(int row, int column) const { return values_[index(row, column)]; }

private:
    static constexpr std::size_t index(int row, int column) {
        return static_cast<std::size_t>(row) * Columns + static_cast<std::size_t>(column);
    }

    std::array<double, static_cast<std::size_t>(Rows) * Columns> values_{};
};

using Matrix3x3 = FixedMatrix<3, 3>;

// RotMatrix(t) held inline: the same five entries, all else 0.
Matrix3x3 RotMatrix3x3(double t);

// A x B with the arithmetic of MatMul: each C(i, j) accumulated from 0 in the order k = 0, 1, 2.
template <int Rows, int Inner, int Columns>
FixedMatrix<Rows, Columns> MatMul(const FixedMatrix<Rows, Inner>& a,
                                  const FixedMatrix<Inner, Columns>& b) {
    FixedMatrix<Rows, Columns> c;
    for (int i = 0; i < Rows; ++i) {
        for (int j = 0; j < Columns; ++j) {
            double sum = 0;
            for (int k = 0; k < Inner; ++k) {
                sum = sum + a(i, k) * b(k, j);
            }
            c(i, j) = sum;
        }
    }
    return c;
}

namespace detail {
// Throws std::invalid_argument unless m has the given shape.
void requireShape(const Matrix& m, int rows, int columns);
}  // namespace detail

// The matrix m held inline. Throws std::invalid_argument unless m is Rows x Columns.
template <int Rows, int Columns> FixedMatrix<Rows, Columns> ToFixed(const Matrix& m) {
    detail::requireShape(m, Rows, Columns);
    FixedMatrix<Rows, Columns> fixed;
    for (int i = 0; i < Rows; ++i) {
        for (int j = 0; j < Columns; ++j) {
            fixed(i, j) = m(i, j);
        }
    }
    return fixed;
}

}  // namespace tamrel
