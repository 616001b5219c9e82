#pragma once

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

}  // namespace tamrel
