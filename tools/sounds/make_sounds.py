#!/usr/bin/python3
"""Synthesises the game's eight sound effects; every file has its exact rate, width, channels and length."""
# Standard library only, one fixed seed: the same run writes the same bytes.

import array
import math
import os
import random
import sys
import wave

TWO_PI = 2.0 * math.pi
PEAK_LIMIT = 10.0 ** (-1.0 / 20.0)  # -1 dBFS, never exceeded
SEED = 20240611


def frame_count(seconds, rate):
    return int(math.floor(seconds * rate + 0.5))


def note(name):
    """Equal-tempered frequency of a note such as 'C6' or 'F#5' (A4 = 440 Hz)."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semis = steps[name[0]]
    rest = name[1:]
    if rest[0] == "#":
        semis += 1
        rest = rest[1:]
    elif rest[0] == "b":
        semis -= 1
        rest = rest[1:]
    return 440.0 * 2.0 ** ((semis + 12 * (int(rest) - 4)) / 12.0)


# ---------------------------------------------------------------- building blocks

def raised_cosine(x):
    """0 at x <= 0, 1 at x >= 1, smooth in between."""
    if x <= 0.0:
        return 0.0
    if x >= 1.0:
        return 1.0
    return 0.5 - 0.5 * math.cos(math.pi * x)


def edge_window(n, rate, fade_in, fade_out):
    """Gain curve that opens over fade_in seconds and closes over fade_out seconds."""
    a = max(1, int(fade_in * rate))
    b = max(1, int(fade_out * rate))
    w = [1.0] * n
    for i in range(n):
        g = 1.0
        if i < a:
            g = raised_cosine(i / a)
        j = n - 1 - i
        if j < b:
            g *= raised_cosine(j / b)
        w[i] = g
    return w


def smooth_noise(rng, n, rate, hz):
    """Band-limited random wobble in -1..1 (linear interpolation of random points)."""
    step = max(1, int(rate / hz))
    points = [rng.uniform(-1.0, 1.0) for _ in range(n // step + 3)]
    out = [0.0] * n
    for i in range(n):
        k, f = divmod(i, step)
        x = f / step
        s = x * x * (3.0 - 2.0 * x)
        out[i] = points[k] * (1.0 - s) + points[k + 1] * s
    return out


class Biquad:
    """RBJ cookbook filter; coefficients may be changed between samples."""

    def __init__(self):
        self.x1 = self.x2 = self.y1 = self.y2 = 0.0
        self.set_lowpass(1000.0, 0.707, 44100)

    def _set(self, b0, b1, b2, a0, a1, a2):
        self.b0, self.b1, self.b2 = b0 / a0, b1 / a0, b2 / a0
        self.a1, self.a2 = a1 / a0, a2 / a0

    def set_lowpass(self, f, q, rate):
        w = TWO_PI * f / rate
        c, al = math.cos(w), math.sin(w) / (2.0 * q)
        self._set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + al, -2 * c, 1 - al)

    def set_highshelf(self, f, q, gain_db, rate):
        a = 10.0 ** (gain_db / 40.0)
        w = TWO_PI * f / rate
        c, al = math.cos(w), math.sin(w) / (2.0 * q)
        r = 2.0 * math.sqrt(a) * al
        self._set(a * ((a + 1) + (a - 1) * c + r), -2 * a * ((a - 1) + (a + 1) * c),
                  a * ((a + 1) + (a - 1) * c - r), (a + 1) - (a - 1) * c + r,
                  2 * ((a - 1) - (a + 1) * c), (a + 1) - (a - 1) * c - r)

    def set_highpass(self, f, q, rate):
        w = TWO_PI * f / rate
        c, al = math.cos(w), math.sin(w) / (2.0 * q)
        self._set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + al, -2 * c, 1 - al)

    def set_bandpass(self, f, q, rate):
        w = TWO_PI * f / rate
        c, al = math.cos(w), math.sin(w) / (2.0 * q)
        self._set(al, 0.0, -al, 1 + al, -2 * c, 1 - al)

    def run(self, x):
        y = self.b0 * x + self.b1 * self.x1 + self.b2 * self.x2 - self.a1 * self.y1 - self.a2 * self.y2
        self.x2, self.x1 = self.x1, x
        self.y2, self.y1 = self.y1, y
        return y


def add_ping(buf, rate, t0, freq, amp, partials, attack=0.002, glide=None):
    """Adds a struck tone: partials are (ratio, level, decay seconds); glide(t) scales the pitch."""
    n = len(buf)
    start = int(t0 * rate)
    longest = max(p[2] for p in partials)
    stop = min(n, start + int(longest * 7.0 * rate))  # past 7 time constants it is below -60 dB
    phases = [0.0] * len(partials)
    att = max(1, int(attack * rate))
    for i in range(start, stop):
        t = (i - start) / rate
        g = raised_cosine((i - start) / att) * amp
        f = freq * (glide(t) if glide else 1.0)
        s = 0.0
        for p, (ratio, level, decay) in enumerate(partials):
            fp = f * ratio
            if fp < rate * 0.45:
                s += level * math.exp(-t / decay) * math.sin(phases[p])
            phases[p] += TWO_PI * fp / rate
        buf[i] += g * s


def finish(channels, rate, fade_in, fade_out, target_db):
    """Fades the ends, removes DC, then scales to a short-term loudness, never above -1 dBFS."""
    n = len(channels[0])
    w = edge_window(n, rate, fade_in, fade_out)
    wsum = sum(w)
    for ch in channels:
        for i in range(n):
            ch[i] *= w[i]
        # Take the mean out in the shape of the window so the ends stay at exactly zero.
        k = sum(ch) / wsum
        for i in range(n):
            ch[i] -= k * w[i]
    # The loudest 50 ms of the ear-weighted signal decides the level (a shelf lifting the
    # presence region, as broadcast loudness meters do), so a low buzz and a high chime, a
    # short tap and a long swell sit at a similar loudness.
    win = max(1, min(n, int(0.050 * rate)))
    power = [0.0] * n
    for ch in channels:
        shelf, hp = Biquad(), Biquad()
        shelf.set_highshelf(1500.0, 0.707, 4.0, rate)
        hp.set_highpass(40.0, 0.5, rate)
        for i in range(n):
            y = hp.run(shelf.run(ch[i]))
            power[i] += y * y / len(channels)
    acc = sum(power[:win])
    best = acc
    for i in range(win, n):
        acc += power[i] - power[i - win]
        best = max(best, acc)
    rms = math.sqrt(max(best, 1e-20) / win)
    gain = 10.0 ** (target_db / 20.0) / rms
    peak = max(max(abs(v) for v in ch) for ch in channels)
    # Leave room for rounding to the sample grid (8-bit steps are coarse).
    gain = min(gain, PEAK_LIMIT * 0.985 / peak)
    for ch in channels:
        for i in range(n):
            ch[i] *= gain
    return channels


def write_wav(path, rate, bits, channels):
    n = len(channels[0])
    if bits == 16:
        data = array.array("h", [0] * (n * len(channels)))
        for c, ch in enumerate(channels):
            for i in range(n):
                data[i * len(channels) + c] = int(round(ch[i] * 32767.0))
        if sys.byteorder == "big":
            data.byteswap()
        raw = data.tobytes()
    else:  # 8-bit WAVE data are unsigned, silence at 128
        data = array.array("B", [128] * (n * len(channels)))
        for c, ch in enumerate(channels):
            for i in range(n):
                data[i * len(channels) + c] = 128 + int(round(ch[i] * 127.0))
        raw = data.tobytes()
    with wave.open(path, "wb") as f:
        f.setnchannels(len(channels))
        f.setsampwidth(bits // 8)
        f.setframerate(rate)
        f.writeframes(raw)


# ---------------------------------------------------------------- the sounds

def make_pop(rng, rate, n):
    """Soft woody tap: a few damped wood-block modes and a tiny low-passed noise tick."""
    buf = [0.0] * n
    body = lambda t: 1.0 + 0.12 * math.exp(-t / 0.004)  # settles a little after the strike
    add_ping(buf, rate, 0.0005, 640.0, 1.0,
             [(1.0, 1.0, 0.0075), (0.52, 0.45, 0.0095), (2.62, 0.22, 0.0035), (4.4, 0.06, 0.0022)],
             attack=0.0008, glide=body)
    lp = Biquad()
    lp.set_lowpass(2200.0, 0.6, rate)
    start = int(0.0005 * rate)
    for i in range(start, n):
        t = (i - start) / rate
        buf[i] += 0.25 * math.exp(-t / 0.0012) * lp.run(rng.uniform(-1.0, 1.0))
    return finish([buf], rate, 0.0004, 0.004, -16.0)


def make_mouseover(rng, rate, n):
    """Light blip: a soft sine that slides up a fourth."""
    buf = [0.0] * n
    phase = 0.0
    for i in range(n):
        t = i / rate
        f = 1320.0 * (1.0 + 0.33 * (1.0 - math.exp(-t / 0.010)))
        env = math.exp(-t / 0.014)
        buf[i] = env * (math.sin(phase) + 0.12 * math.sin(2.0 * phase))
        phase += TWO_PI * f / rate
    return finish([buf], rate, 0.003, 0.008, -21.0)


def add_buzz(buf, rate, t0, t1, f_start, f_end, amp):
    """Dull buzzer: two detuned square-ish tones, harmonics rolled off above ~900 Hz."""
    start, stop = int(t0 * rate), int(t1 * rate)
    length = stop - start
    phases = [0.0, 0.0]
    detune = [1.0, 1.013]  # slow beating gives the "wrong" rasp
    for i in range(start, stop):
        x = (i - start) / length
        t = (i - start) / rate
        f0 = f_start * (f_end / f_start) ** x
        env = raised_cosine(t / 0.006) * raised_cosine((stop - i) / rate / 0.030) * (1.0 - 0.25 * x)
        s = 0.0
        for v in range(2):
            f = f0 * detune[v]
            k = 1
            while k * f < 3500.0:
                # odd harmonics strong, even ones weaker: hollow buzzer timbre
                level = (1.0 if k % 2 else 0.35) / k / (1.0 + (k * f / 900.0) ** 2)
                s += level * math.sin(k * phases[v])
                k += 1
            phases[v] += TWO_PI * f / rate
        buf[i] += amp * env * s


def make_badmove(rng, rate, n):
    """Two low buzzes, the second lower: 'uh-uh'."""
    buf = [0.0] * n
    add_buzz(buf, rate, 0.005, 0.190, 150.0, 142.0, 1.0)
    add_buzz(buf, rate, 0.225, 0.458, 122.0, 104.0, 1.0)
    return finish([buf], rate, 0.003, 0.006, -13.0)


BELL = [(1.0, 1.0, 0.30), (2.0, 0.40, 0.16), (3.0, 0.16, 0.10), (4.16, 0.08, 0.06), (5.43, 0.04, 0.04)]


def make_goodmove(rng, rate, n):
    """Bright two-note chime rising a fifth, each note a pair of slightly detuned bells."""
    buf = [0.0] * n
    for t0, name in ((0.0, "C6"), (0.085, "G6")):
        f = note(name)
        add_ping(buf, rate, t0, f * 0.9988, 0.5, BELL)
        add_ping(buf, rate, t0, f * 1.0012, 0.5, BELL)
        # a soft octave below gives the chime some body
        add_ping(buf, rate, t0, f * 0.5, 0.22, [(1.0, 1.0, 0.22)], attack=0.004)
    return finish([buf], rate, 0.001, 0.090, -13.0)


def add_brass(buf, rate, t0, t1, freq, amp, vibrato=False):
    """Brass-like note: harmonics open up during the attack, optional late vibrato."""
    start, stop = int(t0 * rate), min(len(buf), int(t1 * rate))
    phase = 0.0
    top = max(1, int(6000.0 / freq))
    for i in range(start, stop):
        t = (i - start) / rate
        left = (stop - i) / rate
        env = raised_cosine(t / 0.022) * (0.85 + 0.15 * math.exp(-t / 0.05)) * raised_cosine(left / 0.045)
        bright = 1.2 + 1.3 * math.exp(-t / 0.03)  # dull at the very start, then brassy
        f = freq
        if vibrato:
            f *= 1.0 + 0.006 * raised_cosine((t - 0.12) / 0.15) * math.sin(TWO_PI * 5.5 * t)
        s = 0.0
        for k in range(1, top + 1):
            s += math.sin(k * phase) / k ** bright
        phase += TWO_PI * f / rate
        buf[i] += amp * env * s


def make_gamewon(rng, rate, n):
    """Fanfare: three quick brass notes up a major chord, then a held chord with a bell on top."""
    buf = [0.0] * n
    add_brass(buf, rate, 0.000, 0.115, note("G4"), 0.8)
    add_brass(buf, rate, 0.120, 0.235, note("C5"), 0.8)
    add_brass(buf, rate, 0.240, 0.355, note("E5"), 0.8)
    end = n / rate
    add_brass(buf, rate, 0.360, end, note("G5"), 0.85, vibrato=True)
    add_brass(buf, rate, 0.360, end, note("E5"), 0.45)
    add_brass(buf, rate, 0.360, end, note("C5"), 0.45)
    add_ping(buf, rate, 0.360, note("C7"), 0.20, BELL)
    return finish([buf], rate, 0.002, 0.160, -12.0)


PAD = ["A4", "E5", "A5", "C#6", "E6", "G#6", "B6"]
SPARKLE = ["A6", "B6", "C#7", "E7", "F#7", "A7"]


def make_crystal(rng, rate, n):
    """Shimmering swell: a trembling major-ninth pad, a rising noise whoosh and sparkles that
    thicken and climb as it grows."""
    buf = [0.0] * n
    dur = n / rate
    peak_t = 1.75
    swell = [0.0] * n
    for i in range(n):
        t = i / rate
        if t < peak_t:
            swell[i] = (t / peak_t) ** 2
        else:
            swell[i] = 1.0 - raised_cosine((t - peak_t) / (dur - peak_t))
    for k, name in enumerate(PAD):
        f = note(name)
        level = 0.55 if k < 2 else 0.30
        trem_rate = rng.uniform(4.0, 7.5)
        trem_phase = rng.uniform(0.0, TWO_PI)
        for det in (0.9982, 1.0018):
            phase = rng.uniform(0.0, TWO_PI)
            step = TWO_PI * f * det / rate
            for i in range(n):
                trem = 1.0 - 0.35 * (0.5 + 0.5 * math.sin(TWO_PI * trem_rate * i / rate + trem_phase))
                buf[i] += level * swell[i] * trem * math.sin(phase)
                phase += step
    bp = Biquad()
    for i in range(n):
        t = i / rate
        fc = 700.0 * (9.0 ** min(1.0, t / peak_t))
        if i % 32 == 0:
            bp.set_bandpass(fc, 1.4, rate)
        buf[i] += 0.45 * swell[i] * bp.run(rng.uniform(-1.0, 1.0))
    # sparkles: more of them later, and higher as the swell grows
    for _ in range(70):
        x = rng.random() ** 0.6
        t0 = x * (dur - 0.5)
        top = min(len(SPARKLE) - 1, int(x * len(SPARKLE) + rng.uniform(-1.0, 1.0)))
        name = SPARKLE[max(0, top)]
        add_ping(buf, rate, t0, note(name), rng.uniform(0.20, 0.40) * (0.3 + x),
                 [(1.0, 1.0, rng.uniform(0.06, 0.16)), (2.0, 0.25, 0.05)], attack=0.003)
    return finish([buf], rate, 0.010, 0.150, -14.0)


def make_crystalover(rng, rate, n):
    """The swell undone: the pad starts full and sinks away while sparkles tumble downwards."""
    buf = [0.0] * n
    dur = n / rate
    for k, name in enumerate(PAD):
        f = note(name)
        level = 0.55 if k < 2 else 0.30
        for det in (0.9982, 1.0018):
            phase = rng.uniform(0.0, TWO_PI)
            for i in range(n):
                t = i / rate
                x = t / dur
                glide = 2.0 ** (-4.0 * x * x / 12.0)  # sinks by a major third
                env = raised_cosine(t / 0.012) * (1.0 - x) ** 1.6
                buf[i] += level * env * math.sin(phase)
                phase += TWO_PI * f * det * glide / rate
    bp = Biquad()
    for i in range(n):
        t = i / rate
        if i % 32 == 0:
            bp.set_bandpass(6300.0 * (1.0 / 9.0) ** (t / dur), 1.4, rate)
        buf[i] += 0.5 * raised_cosine(t / 0.01) * (1.0 - t / dur) ** 2 * bp.run(rng.uniform(-1.0, 1.0))
    for j, name in enumerate(reversed(SPARKLE)):
        add_ping(buf, rate, 0.004 + j * 0.055, note(name), 0.22 - 0.02 * j,
                 [(1.0, 1.0, 0.07), (2.0, 0.25, 0.04)], attack=0.002)
    return finish([buf], rate, 0.002, 0.060, -14.0)


# Cartoon vowels: (F1, F2, F3, F4) with bandwidths, adult male voice.
VOWEL_A = ((730.0, 90.0), (1090.0, 110.0), (2440.0, 170.0), (3400.0, 250.0))
VOWEL_O = ((570.0, 80.0), (840.0, 90.0), (2410.0, 160.0), (3300.0, 250.0))
VOWEL_U = ((340.0, 70.0), (870.0, 90.0), (2240.0, 150.0), (3200.0, 250.0))


def vowel_at(t):
    """'aaa' held, then gliding through 'o' to 'oo'."""
    def mix(a, b, x):
        return tuple((fa + (fb - fa) * x, ba + (bb - ba) * x) for (fa, ba), (fb, bb) in zip(a, b))
    if t < 0.32:
        return VOWEL_A
    if t < 0.58:
        return mix(VOWEL_A, VOWEL_O, raised_cosine((t - 0.32) / 0.26))
    return mix(VOWEL_O, VOWEL_U, raised_cosine((t - 0.58) / 0.30))


def pitch_at(t):
    """Groan contour: a quick rise, then a long comic sag."""
    points = [(0.0, 165.0), (0.09, 235.0), (0.26, 220.0), (0.55, 150.0), (0.95, 92.0)]
    for (ta, fa), (tb, fb) in zip(points, points[1:]):
        if t <= tb:
            return fa + (fb - fa) * raised_cosine((t - ta) / (tb - ta))
    return points[-1][1]


def formant_gain(f, formants):
    g = 1.0
    for fc, bw in formants:
        g *= fc * fc / math.sqrt((fc * fc - f * f) ** 2 + (f * bw) ** 2)
    return g


def voice(rng, rate, n, detune, vib_phase):
    """Source-filter voice: a harmonic glottal source whose harmonics take their level from the
    formant envelope, updated every 32 samples and interpolated."""
    out = [0.0] * n
    jitter = smooth_noise(rng, n, rate, 18.0)
    growl = smooth_noise(rng, n, rate, 60.0)
    block = 32
    phase = 0.0
    sub_phase = 0.0
    prev = None
    for b0 in range(0, n, block):
        t = b0 / rate
        f0 = pitch_at(t) * detune
        formants = vowel_at(t)
        kmax = int(5200.0 / f0)
        # harmonic k: glottal roll-off 1/k, formant envelope, a lift for the formants above F4
        # that the envelope leaves out, gentle taper to 5.2 kHz
        cur = [formant_gain(k * f0, formants) / k * math.sqrt(1.0 + (k * f0 / 2000.0) ** 2)
               * (1.0 - raised_cosine((k * f0 - 4200.0) / 1000.0))
               for k in range(1, kmax + 1)]
        if prev is None:
            prev = cur
        for i in range(b0, min(n, b0 + block)):
            x = (i - b0) / block
            ti = i / rate
            f = pitch_at(ti) * detune
            f *= 1.0 + 0.012 * jitter[i]
            f *= 1.0 + 0.018 * raised_cosine((ti - 0.2) / 0.2) * math.sin(TWO_PI * 5.8 * ti + vib_phase)
            s = 0.0
            for k in range(1, len(cur) + 1):
                a = cur[k - 1] * x + (prev[k - 1] if k <= len(prev) else 0.0) * (1.0 - x)
                s += a * math.sin(k * phase)
            # rasp of the "rgh": amplitude wobble at half the pitch, strongest early on
            rasp = 0.45 * (1.0 - raised_cosine((ti - 0.12) / 0.30))
            s *= 1.0 - rasp * (0.5 + 0.5 * math.sin(sub_phase)) * (0.7 + 0.3 * growl[i])
            out[i] = s
            phase += TWO_PI * f / rate
            sub_phase += TWO_PI * f * 0.5 / rate
            if phase > 1e6:
                phase = math.fmod(phase, TWO_PI)
                sub_phase = math.fmod(sub_phase, TWO_PI)
        prev = cur
    # a breath of aspiration, mostly at the onset
    bp = Biquad()
    bp.set_bandpass(1600.0, 0.8, rate)
    level = max(abs(v) for v in out)
    for i in range(n):
        t = i / rate
        out[i] += level * 0.05 * (0.4 + 1.6 * math.exp(-t / 0.05)) * bp.run(rng.uniform(-1.0, 1.0))
    for i in range(n):
        t = i / rate
        out[i] *= raised_cosine(t / 0.035) * (1.0 - raised_cosine((t - 0.55) / 0.34))
    return out


def make_argh(rng, rate, n):
    """Comic 'aaargh-ohhh': two slightly different groaning voices, one a little left, one right."""
    a = voice(rng, rate, n, 1.0, 0.0)
    b = voice(rng, rate, n, 1.006, 1.7)
    left = [0.72 * x + 0.28 * y for x, y in zip(a, b)]
    right = [0.28 * x + 0.72 * y for x, y in zip(a, b)]
    return finish([left, right], rate, 0.004, 0.030, -12.0)


# name, rate, bits, channels, seconds, maker
SOUNDS = [
    ("POP", 22050, 16, 1, 0.038, make_pop),
    ("MOUSEOVER", 22050, 16, 1, 0.041, make_mouseover),
    ("BADMOVE", 44100, 8, 1, 0.464, make_badmove),
    ("GOODMOVE", 44100, 16, 1, 0.839, make_goodmove),
    ("GAMEWON", 44100, 16, 1, 1.046, make_gamewon),
    ("CRYSTAL", 44100, 16, 1, 2.673, make_crystal),
    ("CRYSTALOVER", 44100, 16, 1, 0.473, make_crystalover),
    ("ARGH", 44100, 16, 2, 0.891, make_argh),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "data", "sounds")
    only = set(sys.argv[2:])
    os.makedirs(out_dir, exist_ok=True)
    for index, (name, rate, bits, nch, seconds, maker) in enumerate(SOUNDS):
        if only and name not in only:
            continue
        rng = random.Random(SEED + index)  # each sound its own stream: editing one leaves the rest alone
        n = frame_count(seconds, rate)
        channels = maker(rng, rate, n)
        assert len(channels) == nch and all(len(c) == n for c in channels)
        path = os.path.join(out_dir, name + ".wav")
        write_wav(path, rate, bits, channels)
        peak = max(max(abs(v) for v in c) for c in channels)
        print("%-12s %5d Hz %d ch %2d-bit %6d frames  peak %5.1f dBFS" %
              (name, rate, nch, bits, n, 20.0 * math.log10(peak)))


if __name__ == "__main__":
    main()
