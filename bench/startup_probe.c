/* Start-up probe: preloaded into the real game (LD_PRELOAD) by bench/real_game.sh. It passes every
 * call straight on to the library, and until the first SDL_RenderPresent it notes when each
 * start-up call began and ended and which files SDL opened. Right after the first present it
 * writes the list, the time from exec to that present, and any file opened twice.
 *
 * Read by the probe only, never by the game:
 *   PROBE_T0_NS  CLOCK_MONOTONIC in ns, taken by the launcher just before exec (without it the
 *                times count from the probe's own loading);
 *   PROBE_CPU0_MS  the launcher's own CPU time, which exec carries over, subtracted from the
 *                process's CPU time;
 *   PROBE_LOG    file for the report (stderr without it);
 *   PROBE_QUIT   when set, SIGTERM after the first present, which SDL turns into a quit request,
 *                so the game closes as if its window had been closed. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <time.h>

#define MAX_EVENTS 256

struct event {
    const char* name;
    char detail[64];
    int depth;
    double begin_ms, end_ms, cpu_begin_ms, cpu_end_ms;
};

static struct event events[MAX_EVENTS];
static int event_count, depth, presented;
static double loaded_ms, loaded_cpu_ms, cpu0_ms;
static int64_t t0_ns;

static int64_t now_ns(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (int64_t)ts.tv_sec * 1000000000 + ts.tv_nsec;
}

static double since_t0_ms(void) {
    return (double)(now_ns() - t0_ns) / 1e6;
}

/* CPU time of the whole process so far, all threads, user and system. */
static double cpu_ms(void) {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return (double)(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (double)(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3 - cpu0_ms;
}

__attribute__((constructor)) static void probe_loaded(void) {
    const char* t0 = getenv("PROBE_T0_NS");
    t0_ns = t0 != NULL ? strtoll(t0, NULL, 10) : now_ns();
    loaded_ms = since_t0_ms();
    const char* cpu0 = getenv("PROBE_CPU0_MS");
    cpu0_ms = cpu0 != NULL ? strtod(cpu0, NULL) : 0.0;
    loaded_cpu_ms = cpu_ms();
}

static void* next(const char* name) {
    void* real = dlsym(RTLD_NEXT, name);
    if (real == NULL) {
        fprintf(stderr, "startup probe: no %s\n", name);
        abort();
    }
    return real;
}

/* Opens an event before the call; returns its index, or -1 once the first frame is shown. */
static int begin(const char* name, const char* detail) {
    if (presented || event_count == MAX_EVENTS) return -1;
    struct event* e = &events[event_count];
    e->name = name;
    snprintf(e->detail, sizeof e->detail, "%s", detail != NULL ? detail : "");
    e->depth = depth++;
    e->begin_ms = since_t0_ms();
    e->cpu_begin_ms = cpu_ms();
    return event_count++;
}

static void end(int index) {
    if (index < 0) return;
    events[index].end_ms = since_t0_ms();
    events[index].cpu_end_ms = cpu_ms();
    --depth;
}

static void report(double present_ms, double present_cpu_ms) {
    const char* path = getenv("PROBE_LOG");
    FILE* out = path != NULL ? fopen(path, "w") : stderr;
    if (out == NULL) out = stderr;
    fprintf(out, "%9s %9s %9s %9s  (ms; wall and CPU, since exec and in the call)\n", "wall at",
            "wall in", "CPU at", "CPU in");
    fprintf(out, "%9.2f %9s %9.2f %9s  probe loaded (exec, dynamic linking)\n", loaded_ms, "",
            loaded_cpu_ms, "");
    for (int i = 0; i < event_count; ++i) {
        const struct event* e = &events[i];
        fprintf(out, "%9.2f %9.2f %9.2f %9.2f  %*s%s %s\n", e->begin_ms, e->end_ms - e->begin_ms,
                e->cpu_begin_ms, e->cpu_end_ms - e->cpu_begin_ms, 2 * e->depth, "", e->name,
                e->detail);
    }
    fprintf(out, "%9.2f %9s %9.2f %9s  first frame presented\n", present_ms, "", present_cpu_ms,
            "");
    int twice = 0;
    for (int i = 0; i < event_count; ++i) {
        if (strcmp(events[i].name, "SDL_RWFromFile") != 0) continue;
        for (int j = 0; j < i; ++j) {
            if (strcmp(events[j].name, "SDL_RWFromFile") == 0 &&
                strcmp(events[j].detail, events[i].detail) == 0) {
                fprintf(out, "opened twice: %s\n", events[i].detail);
                ++twice;
                break;
            }
        }
    }
    fprintf(out, "files_opened_twice=%d\n", twice);
    fprintf(out, "first_present_ms=%.3f\n", present_ms);
    fprintf(out, "first_present_cpu_ms=%.3f\n", present_cpu_ms);
    if (out != stderr) fclose(out);
}

#define PASS_ON(type, name, params, args, detail)       \
    type name params {                                  \
        static type(*real) params;                      \
        if (real == NULL) *(void**)&real = next(#name); \
        const int event_ = begin(#name, detail);        \
        type result = real args;                        \
        end(event_);                                    \
        return result;                                  \
    }

PASS_ON(int, SDL_Init, (uint32_t flags), (flags), NULL)
PASS_ON(int, TTF_Init, (void), (), NULL)
PASS_ON(int, Mix_OpenAudio, (int rate, uint16_t format, int channels, int chunk),
        (rate, format, channels, chunk), NULL)
PASS_ON(int, IMG_Init, (int flags), (flags), NULL)
PASS_ON(void*, SDL_CreateWindow, (const char* title, int x, int y, int w, int h, uint32_t flags),
        (title, x, y, w, h, flags), NULL)

/* SDL_RendererInfo, as far as the probe reads it. */
struct renderer_info {
    const char* name;
    uint32_t flags, num_texture_formats, texture_formats[16];
    int max_texture_width, max_texture_height;
};

/* Also names the driver that SDL picked, in the event's detail. */
void* SDL_CreateRenderer(void* window, int driver, uint32_t flags) {
    static void* (*real)(void*, int, uint32_t);
    static int (*info_of)(void*, struct renderer_info*);
    if (real == NULL) *(void**)&real = next("SDL_CreateRenderer");
    if (info_of == NULL) *(void**)&info_of = next("SDL_GetRendererInfo");
    const int event_ = begin("SDL_CreateRenderer", NULL);
    void* result = real(window, driver, flags);
    end(event_);
    struct renderer_info info = {0};
    if (event_ >= 0 && result != NULL && info_of(result, &info) == 0 && info.name != NULL) {
        snprintf(events[event_].detail, sizeof events[event_].detail, "(%s)", info.name);
    }
    return result;
}

PASS_ON(void*, Mix_LoadMUS, (const char* file), (file), file)
PASS_ON(void*, TTF_OpenFont, (const char* file, int size), (file, size), file)
PASS_ON(void*, IMG_Load, (const char* file), (file), file)
PASS_ON(void*, SDL_CreateTextureFromSurface, (void* target, void* surface), (target, surface), NULL)
PASS_ON(void*, Mix_LoadWAV_RW, (void* stream, int close), (stream, close), NULL)
PASS_ON(void*, SDL_RWFromFile, (const char* file, const char* mode), (file, mode), file)
PASS_ON(int, Mix_PlayMusic, (void* music, int loops), (music, loops), NULL)
PASS_ON(const uint8_t*, SDL_GetKeyboardState, (int* count), (count), NULL)

void SDL_RenderPresent(void* target) {
    static void (*real)(void*);
    if (real == NULL) *(void**)&real = next("SDL_RenderPresent");
    real(target);
    if (presented) return;
    const double present_ms = since_t0_ms();
    const double present_cpu_ms = cpu_ms();
    presented = 1;
    report(present_ms, present_cpu_ms);
    if (getenv("PROBE_QUIT") != NULL) raise(SIGTERM);
}
