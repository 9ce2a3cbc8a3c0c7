#pragma once
// ECamCurveSample: one record of the sampled cam curve. The three X fields
// hold the same master position, so that each plot (position, speed,
// acceleration) can take its (x, y) pairs straight from the record. A plain
// value type; no thread restrictions of its own.

struct ECamCurveSample {
    double positionX = 0.0;  // master position of the position-curve point
    double position = 0.0;   // slave position
    double speedX = 0.0;     // master position of the speed-curve point
    double speed = 0.0;      // normalized speed d(slave)/d(master)
    double accelX = 0.0;     // master position of the acceleration-curve point
    double accel = 0.0;      // d(speed)/dt with t the fraction 0..1 of the segment
    bool isKeyPoint = false; // true for the record of a key point

    friend bool operator==(const ECamCurveSample&, const ECamCurveSample&) = default;
};
