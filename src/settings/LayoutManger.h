#pragma once

// The menu grid mode, "kLayoutType": 0 = 2 rows x 3, 1 = 2 rows x 4, 2 = 3 rows x 4. Any other
// stored value reads as 0.
class LayoutManger {
public:
    static constexpr int kLayoutCount = 3;

    static LayoutManger &defaultManager();

    void restore();
    void save();

    int layout() const { return layout_; }
    void setLayout(int layout);

private:
    int layout_ = 0;
};
