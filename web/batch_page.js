// Batch files in the page: the file is read, computed in a Web Worker and offered back as a
// download; it never leaves the computer. The worker runs the same WebAssembly module's
//   detectBatchEncoding(read) → { encoding: 'utf-8' | 'gb18030' } or { line }
//   runBatch(read, write, { name, seconds: [bool, bool, bool], format: 'plain' | 'window', geodesic,
//            navigation, byteOrderMark })
//            → { rows, failedRows } or { error }
// where read(count) gives the file's next bytes (an empty array at its end) and write(view) takes
// the output's next bytes, a block at a time.
import { byId } from './dom.js';
import { undetectedEncoding, utf16ByMark } from './file_encoding.js';

// The worker's own code. A worker cannot be loaded from a file:// page, so it is built from the
// module's text and this function's as a Blob. The encoding is told by the command line's own
// `auto` rule, after a UTF-16 byte-order mark, unless chosen. The run takes UTF-8 only: a GB18030
// or UTF-16 file is decoded by the browser a block at a time as the run asks for it (a browser
// reads these but cannot write them), and the result written as UTF-8 with a byte-order mark, as
// spreadsheets on Chinese systems open it. Nothing holds the whole file or the whole result: the
// output goes into Blobs a few MiB at a time, and the page gets the one Blob made of them.
function workerMain() {
    // The file read `readAhead` bytes at a time and handed on in the blocks asked for, the progress
    // told by the bytes handed on. Each read of a slice costs the browser a round trip of about
    // 15 ms whatever its size: read in the run's 1 MiB blocks, a million rows spent 0.9 s in them.
    const reader = (blob, progress, readAhead = 0) => {
        const files = new FileReaderSync();
        let at = 0;
        let ahead = new Uint8Array(0);
        return (count) => {
            if (ahead.length === 0) {
                ahead = new Uint8Array(files.readAsArrayBuffer(blob.slice(at, at + Math.max(count, readAhead))));
            }
            const block = ahead.subarray(0, count);
            ahead = ahead.subarray(block.length);
            at += block.length;
            progress?.(blob.size ? at / blob.size : 1);
            return block;
        };
    };
    // The same file in another encoding, handed on as UTF-8; a character cut by a block's end
    // waits in the decoder for the next block.
    const utf8Reader = (read, encoding) => {
        const decoder = new TextDecoder(encoding);
        const encoder = new TextEncoder();
        let pending = new Uint8Array(0);
        let ended = false;
        return (count) => {
            while (pending.length === 0 && !ended) {
                const block = read(count);
                ended = block.length === 0;
                pending = encoder.encode(decoder.decode(block, { stream: !ended }));
            }
            const given = pending.subarray(0, count);
            pending = pending.subarray(given.length);
            return given;
        };
    };
    // 'utf-16le' or 'utf-16be' by the byte-order mark; `otherwise` without one.
    const utf16Order = (file, otherwise) => utf16ByMark(new Uint8Array(new FileReaderSync().readAsArrayBuffer(file.slice(0, 2))), otherwise);
    // Compiled as the worker starts, once for all the runs it is kept for.
    const loaded = createOrvanto();
    self.onmessage = async ({ data: { file, options } }) => {
        const module = await loaded;
        // A UTF-16 byte-order mark decides for `auto` and for UTF-16, which is little-endian without one.
        const withoutMark = { auto: 'auto', 'utf-16': 'utf-16le' }[options.encoding];
        let encoding = withoutMark ? utf16Order(file, withoutMark) : options.encoding;
        if (encoding === 'auto') {
            const found = module.detectBatchEncoding(reader(file));
            if (found.line !== undefined) {
                self.postMessage({ result: { error: `${undetectedEncoding(found.line)}；可在“文件编码”中选定` } });
                return;
            }
            encoding = found.encoding;
        }
        const read = reader(file, (fraction) => self.postMessage({ progress: fraction }), 4 << 20);
        // Gathered 4 MiB a Blob (a Blob a block costs the browser a registration each, a run about
        // a tenth slower) in one buffer used over and over, since a Blob copies what it is made
        // of: a fresh copy of every block cost a million rows 0.4 s in the new memory's page faults.
        const parts = [];
        const gathering = new Uint8Array(4 << 20);
        let gathered = 0;
        const write = (view) => {
            if (gathered + view.length > gathering.length) {
                parts.push(new Blob([gathering.subarray(0, gathered)]));
                gathered = 0;
            }
            if (view.length > gathering.length) {
                parts.push(new Blob([view]));
            } else {
                gathering.set(view, gathered);
                gathered += view.length;
            }
        };
        const result = module.runBatch(encoding === 'utf-8' ? read : utf8Reader(read, encoding), write,
            { ...options, byteOrderMark: encoding !== 'utf-8' });
        self.postMessage({ result: { ...result, output: new Blob([...parts, gathering.subarray(0, gathered)]) } });
    };
}

// A tab-separated result keeps a .tsv or .txt name (Excel's "Unicode 文本" is a .txt); else .csv.
function resultName(fileName) {
    const dot = fileName.lastIndexOf('.');
    const stem = dot > 0 ? fileName.slice(0, dot) : fileName;
    const kept = /\.(tsv|txt)$/i.exec(fileName);
    return `${stem}-结果.${kept ? kept[1].toLowerCase() : 'csv'}`;
}

export async function setUpBatch(calculator) {
    const module = await calculator;
    if (typeof module.runBatch !== 'function') {
        return;
    }
    const section = byId('batch');
    const chooseButton = byId('batch-choose');
    const chooser = byId('batch-file');
    const progress = byId('batch-progress');
    const cancel = byId('batch-cancel');
    const download = byId('batch-download');
    const status = byId('batch-status');
    const options = [1, 2, 3].map((point) => byId(`batch-seconds${point}`))
        .concat(['batch-geodesic', 'batch-navigation', 'batch-format', 'batch-encoding'].map(byId));
    const moduleText = document.getElementById('orvanto-module').textContent;
    const workerUrl = URL.createObjectURL(new Blob([moduleText, `\n${utf16ByMark}\n${undetectedEncoding}\n(${workerMain})();`], { type: 'text/javascript' }));
    section.hidden = false;
    chooseButton.hidden = false;
    // One worker, kept from run to run: starting one and compiling its module takes about a quarter
    // of a second, longer than a small file's whole run. It starts as the file dialog opens, and is
    // replaced only when a run is cancelled or cut short by another, since a running worker cannot
    // be told to stop.
    let worker = null;
    let running = false;
    const readyWorker = () => (worker ??= new Worker(workerUrl));
    chooseButton.addEventListener('click', () => {
        readyWorker();
        chooser.click();
    });
    // Emptied before the chooser opens: a browser tells no change when the same file is chosen
    // again, and the user may have changed the file or an option since.
    chooser.addEventListener('click', () => { chooser.value = ''; });

    // The file of the last run unless it was cancelled, rerun when an option changes.
    let lastFile = null;
    // The control that started the run: the focus goes back to it when 取消 had it and goes.
    let starter = chooser;
    const finish = (text) => {
        const cancelHadFocus = document.activeElement === cancel;
        if (running) {
            worker.terminate();
            worker = null;
            running = false;
        }
        progress.hidden = true;
        cancel.hidden = true;
        status.textContent = text;
        if (cancelHadFocus) {
            (download.hidden ? starter : download).focus();
        }
    };
    const start = (file, from) => {
        starter = from;
        lastFile = file;
        download.hidden = true;
        finish('');
        const settings = {
            seconds: [1, 2, 3].map((point) => byId(`batch-seconds${point}`).checked),
            format: byId('batch-format').value,
            geodesic: byId('batch-geodesic').checked,
            navigation: byId('batch-navigation').checked,
            encoding: byId('batch-encoding').value,
            name: file.name,
        };
        readyWorker();
        running = true;
        progress.value = 0;
        progress.hidden = false;
        cancel.hidden = false;
        status.textContent = `正在计算 ${file.name}…`;
        // The page may be scrolled to the entries, or be a phone's height: the run shows itself.
        byId('batch-run').scrollIntoView({ block: 'nearest' });
        worker.onmessage = ({ data }) => {
            if (data.progress !== undefined) {
                progress.value = data.progress;
                return;
            }
            running = false;
            const { output, rows, failedRows, error } = data.result;
            if (error) {
                finish(`无法计算：${error}`);
                return;
            }
            URL.revokeObjectURL(download.href);
            download.href = URL.createObjectURL(output);
            download.download = resultName(file.name);
            download.hidden = false;
            finish(`共 ${rows} 行，其中 ${failedRows} 行未能算出（原因见 error 列）。`);
        };
        worker.onerror = (event) => finish(`批量计算失败：${event.message}`);
        worker.postMessage({ file, options: settings });
    };
    chooser.addEventListener('change', () => {
        if (chooser.files[0]) {
            start(chooser.files[0], document.activeElement === chooseButton ? chooseButton : chooser);
        }
    });
    for (const option of options) {
        option.addEventListener('change', () => lastFile && start(lastFile, option));
    }
    cancel.addEventListener('click', () => {
        lastFile = null;
        finish('已取消。');
    });
    document.addEventListener('dragover', (event) => event.preventDefault());
    document.addEventListener('drop', (event) => {
        event.preventDefault();
        const file = event.dataTransfer.files[0];
        if (file) {
            start(file, chooser);
        }
    });
}
