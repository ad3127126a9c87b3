// The layout scale each phone screen must get.
#ifndef QUELLOR_TESTS_SETTINGS_SCALE_TABLE_H
#define QUELLOR_TESTS_SETTINGS_SCALE_TABLE_H

struct ScaleCase {
    int screenHeight;
    int dpiY;
    int scale;
};

const ScaleCase kScaleTable[] = {
    {220, 96, 96}, {240, 96, 106}, {320, 96, 149}, {320, 131, 141}, {320, 192, 128}, {400, 96, 192},
};

#endif
