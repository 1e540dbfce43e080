// Throughput and peak memory of sorvani-annotate on a 10 MB Chinese text, beside the native
// converter @napi-rs/pinyin on the same text when that package is installed.
//
//   node bench/annotate_throughput.mjs [BUILD_DIR] [NAPI_DIR]
//
// BUILD_DIR holds bin/sorvani-annotate (default: build). NAPI_DIR is a folder whose node_modules
// holds @napi-rs/pinyin (default: /tmp/napi-pinyin; install it there with
// `npm install --prefix /tmp/napi-pinyin @napi-rs/pinyin`, never inside the repository).
//
// The text is made from a fixed seed, so every run sees the same bytes. The dictionary is
// bin/VeRevor.dll when it has records; otherwise one is built from the Unicode Han database's
// Mandarin readings (/usr/share/unicode/Unihan_Readings.txt.bz2) with encode-dictionary.
import { execFileSync, spawnSync } from "node:child_process";
import { createRequire } from "node:module";
import { existsSync, mkdirSync, readFileSync, statSync, writeFileSync } from "node:fs";
import { join, resolve } from "node:path";

const buildDir = resolve(process.argv[2] ?? "build");
const napiDir = resolve(process.argv[3] ?? "/tmp/napi-pinyin");
const workDir = "/tmp/sorvani-annotate-bench";
const textBytes = 10_000_000;
const runs = 3;
mkdirSync(workDir, { recursive: true });

// --- The text: sentences of the 3755 common characters (GB2312 level 1) with Chinese
// punctuation, an ASCII word now and then, and a line end after every few sentences. As in real
// text, a few characters are frequent and most are rare: the character of rank r comes with a
// weight of 1/r (Zipf's law), the ranks shuffled over the characters.
function mulberry32(seed) {
    return () => {
        seed = (seed + 0x6d2b79f5) | 0;
        let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
        t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

// The Chinese characters of the given lead bytes of code page 936.
function gbkRange(firstLead, lastLead) {
    const bytes = [];
    for (let lead = firstLead; lead <= lastLead; ++lead)
        for (let trail = 0xa1; trail <= 0xfe; ++trail) bytes.push(lead, trail);
    return [...new TextDecoder("gbk").decode(Uint8Array.from(bytes))].filter(
        (ch) => ch >= "\u4e00" && ch <= "\u9fff",
    );
}

function zipfSampler(items, random) {
    const shuffled = [...items];
    for (let i = shuffled.length - 1; i > 0; --i) {
        const j = Math.floor(random() * (i + 1));
        [shuffled[i], shuffled[j]] = [shuffled[j], shuffled[i]];
    }
    const cumulative = [];
    let sum = 0;
    shuffled.forEach((_, rank) => cumulative.push((sum += 1 / (rank + 1))));
    return () => {
        const target = random() * sum;
        let low = 0;
        let high = cumulative.length - 1;
        while (low < high) {
            const middle = (low + high) >> 1;
            if (cumulative[middle] < target) low = middle + 1;
            else high = middle;
        }
        return shuffled[low];
    };
}

function makeText() {
    const random = mulberry32(20261207);
    const character = zipfSampler(gbkRange(0xb0, 0xd7), random);
    const words = ["Qt", "2026", "CPU", "OK", "GB2312"];
    const parts = [];
    let size = 0;
    while (size < textBytes) {
        let sentence = "";
        const length = 6 + Math.floor(random() * 30);
        for (let i = 0; i < length; ++i) {
            sentence += character();
            if (random() < 0.1) sentence += "，";
        }
        if (random() < 0.05) sentence += words[Math.floor(random() * words.length)];
        sentence += random() < 0.8 ? "。" : "？";
        if (random() < 0.2) sentence += "\n";
        parts.push(sentence);
        size += Buffer.byteLength(sentence);
    }
    return parts.join("");
}

// --- The dictionary.
function toneless(syllable) {
    // Drops the tone marks (macron, acute, caron, grave) and keeps the diaeresis of ü.
    return syllable.normalize("NFD").replace(/[\u0300\u0301\u0304\u030c]/g, "").normalize("NFC");
}

// Syllables whose letters code page 936 holds (it has no ḿ or ň, for example).
const pinyinLetters = /^[a-zāáǎàēéěèīíǐìōóǒòūúǔùüǖǘǚǜ]+$/;

function buildDictionary(file) {
    const readings = execFileSync("bzcat", ["/usr/share/unicode/Unihan_Readings.txt.bz2"], {
        maxBuffer: 1 << 30,
    }).toString();
    const mandarin = new Map();
    for (const line of readings.split("\n")) {
        const [code, field, value] = line.split("\t");
        if (code.startsWith("U+") && field === "kMandarin")
            mandarin.set(String.fromCodePoint(parseInt(code.slice(2), 16)), value.split(" ")[0]);
    }
    const rows = [];
    for (const ch of gbkRange(0x81, 0xfe)) {
        const syllable = mandarin.get(ch);
        if (syllable && pinyinLetters.test(syllable)) rows.push([ch, ch, syllable, toneless(syllable)].join("\t"));
    }
    const encoded = execFileSync(join(buildDir, "bin", "encode-dictionary"), {
        input: rows.join("\n") + "\n",
        maxBuffer: 1 << 30,
    });
    writeFileSync(file, encoded);
    return `${rows.length} rows from Unihan kMandarin`;
}

function dictionary() {
    const shipped = join(buildDir, "bin", "VeRevor.dll");
    if (existsSync(shipped) && statSync(shipped).size > 0) return [shipped, "shipped VeRevor.dll"];
    const built = join(workDir, "VeRevor.dll");
    return [built, buildDictionary(built)];
}

// --- Measurements.
function best(values) {
    return Math.min(...values);
}

// Wall-clock and processor time (user + system) of whole runs, and the peak resident set size.
// The processor time shows the program's own cost when other work shares the machine.
function timeAnnotate(input, dictionaryFile) {
    const program = join(buildDir, "bin", "sorvani-annotate");
    const output = join(workDir, "annotated.txt");
    const runsSeen = [];
    for (let run = 0; run < runs; ++run) {
        const args = ["-f", "%e %U %S %M", program, "--dictionary", dictionaryFile, "--output", output, input];
        const result = spawnSync("/usr/bin/time", args, { encoding: "utf8" });
        if (result.status !== 0) throw new Error(`sorvani-annotate failed: ${result.stderr}`);
        const [wall, user, system, peakKb] = result.stderr.trim().split("\n").pop().split(" ").map(Number);
        runsSeen.push({ wall, cpu: user + system, peakKb });
    }
    return {
        seconds: best(runsSeen.map((r) => r.wall)),
        cpuSeconds: best(runsSeen.map((r) => r.cpu)),
        peakKb: Math.max(...runsSeen.map((r) => r.peakKb)),
        outputBytes: statSync(output).size,
    };
}

function timeNapi(text) {
    let napi;
    try {
        napi = createRequire(join(napiDir, "package.json"))("@napi-rs/pinyin");
    } catch {
        return null;
    }
    const measure = (convert) => {
        const seconds = [];
        for (let run = 0; run < runs; ++run) {
            const start = process.hrtime.bigint();
            convert(text);
            seconds.push(Number(process.hrtime.bigint() - start) / 1e9);
        }
        return best(seconds);
    };
    return { pinyin: measure((t) => napi.pinyin(t)), pinyinString: measure((t) => napi.pinyinString(t)) };
}

const text = makeText();
const input = join(workDir, "text.txt");
writeFileSync(input, text);
const characters = [...text].length;
const [dictionaryFile, dictionarySource] = dictionary();
const perSecond = (seconds) => (characters / seconds / 1e6).toFixed(1) + " M chars/s";

console.log(`text: ${Buffer.byteLength(text)} bytes, ${characters} characters`);
console.log(`dictionary: ${dictionarySource}`);
const ours = timeAnnotate(input, dictionaryFile);
console.log(
    `sorvani-annotate (whole process, best of ${runs}): ${ours.seconds.toFixed(3)} s wall, ` +
        `${perSecond(ours.seconds)}; ${ours.cpuSeconds.toFixed(3)} s processor time, ` +
        `${perSecond(ours.cpuSeconds)}; peak RSS ${(ours.peakKb / 1024).toFixed(1)} MB; ` +
        `output ${(ours.outputBytes / 1e6).toFixed(1)} MB`,
);
const napi = timeNapi(text);
if (!napi) {
    console.log(`@napi-rs/pinyin: not installed under ${napiDir}`);
} else {
    const fastest = Math.min(napi.pinyin, napi.pinyinString);
    console.log(`@napi-rs/pinyin pinyin(): ${napi.pinyin.toFixed(3)} s, ${perSecond(napi.pinyin)}`);
    console.log(
        `@napi-rs/pinyin pinyinString(): ${napi.pinyinString.toFixed(3)} s, ` +
            perSecond(napi.pinyinString),
    );
    console.log(
        `speed ratio sorvani-annotate (wall) / fastest @napi-rs/pinyin: ` +
            (fastest / ours.seconds).toFixed(2),
    );
}
