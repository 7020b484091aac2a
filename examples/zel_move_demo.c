/*
 * zel_move_demo: connects a port, lists the drives with their names and versions, switches the
 * servo of the first drive on, moves it and prints its status until the move ends.
 *
 *   zel_move_demo PORT [BAUD] [DISTANCE] [VELOCITY]
 *
 * Build against an installed library with
 *   cc zel_move_demo.c $(pkg-config --cflags --libs TarselTevra)
 */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include <TarselTevra.h>

#define STATUS_MOVING (1u << 27)
#define STATUS_IN_POSITION (1u << 19)
#define POLL_MS 20
#define GIVE_UP_MS 20000

static void sleep_ms(long ms) {
    struct timespec delay = {ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&delay, NULL);
}

static int fail(const char* what, int code) {
    fprintf(stderr, "%s failed: code 0x%02X\n", what, code);
    return 1;
}

static int run(int port, int slave, int32_t distance, uint32_t velocity) {
    int code = ZEL_ServoEnable(port, slave, 1);
    if (code != 0) return fail("ZEL_ServoEnable", code);
    code = ZEL_MoveSingleAxisIncPos(port, slave, distance, velocity);
    if (code != 0) return fail("ZEL_MoveSingleAxisIncPos", code);
    printf("slave %d: moving %d pulses at %u pulses/s\n", slave, (int)distance, (unsigned)velocity);

    for (int waited = 0; waited < GIVE_UP_MS; waited += POLL_MS) {
        uint64_t inputs = 0;
        uint32_t outputs = 0, status = 0;
        int32_t command = 0, actual = 0, error = 0, speed = 0;
        uint16_t item = 0;
        code = ZEL_GetAllStatus(port, slave, &inputs, &outputs, &status, &command, &actual, &error, &speed,
                                &item);
        if (code != 0) return fail("ZEL_GetAllStatus", code);
        printf("  status 0x%08X  command %d  actual %d  velocity %d\n", (unsigned)status, (int)command,
               (int)actual, (int)speed);
        if (!(status & STATUS_MOVING)) {
            printf("move ended%s at %d\n", (status & STATUS_IN_POSITION) ? " in position" : "", (int)actual);
            return 0;
        }
        sleep_ms(POLL_MS);
    }
    fprintf(stderr, "the move did not end within %d ms\n", GIVE_UP_MS);
    return 1;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: %s PORT [BAUD] [DISTANCE] [VELOCITY]\n", argv[0]);
        return 2;
    }
    const int port = atoi(argv[1]);
    const uint32_t baud = argc > 2 ? (uint32_t)strtoul(argv[2], NULL, 10) : 115200u;
    const int32_t distance = argc > 3 ? (int32_t)strtol(argv[3], NULL, 10) : 10000;
    const uint32_t velocity = argc > 4 ? (uint32_t)strtoul(argv[4], NULL, 10) : 100000u;

    if (!ZEL_Connect(port, baud)) {
        fprintf(stderr, "no supported drive answered on port %d\n", port);
        return 1;
    }
    int first = -1;
    for (int slave = 0; slave < 16; ++slave) {
        ZEL_SlaveInfo info;
        if (!ZEL_IsSlaveExist(port, slave) || ZEL_GetSlaveInfo(port, slave, &info) != 0) continue;
        printf("slave %d: %.30s type %u version %u.%u.%u.%u\n", slave, info.name, (unsigned)info.type,
               (unsigned)info.version[0], (unsigned)info.version[1], (unsigned)info.version[2],
               (unsigned)info.version[3]);
        if (first < 0) first = slave;
    }
    const int result = first < 0 ? 1 : run(port, first, distance, velocity);
    ZEL_Close(port);
    return result;
}
