// Batch files in the page: the file is read, computed in a Web Worker and offered back as a
// download; it never leaves the computer. The worker runs the same WebAssembly module's
//   detectBatchEncoding(read) → { encoding: 'utf-8' | 'gb18030' } or { line }
//   runBatch(read, write, { name, seconds: [bool, bool, bool], format: 'plain' | 'window', byteOrderMark })
//            → { rows, failedRows } or { error }
// where read(count) gives the file's next bytes (an empty array at its end) and write(view) takes
// the output's next bytes, a block at a time.
import { byId } from './dom.js';

// The worker's own code. A worker cannot be loaded from a file:// page, so it is built from the
// module's text and this function's as a Blob. The encoding is told by the command line's own
// `auto` rule unless chosen. GB18030 is decoded by the browser (which cannot write it) and the
// result written as UTF-8 with a byte-order mark, as spreadsheets on Chinese systems open it.
function workerMain() {
    // The file read a block at a time as the run asks for it, the progress told by the bytes read.
    const reader = (blob, progress) => {
        const files = new FileReaderSync();
        let at = 0;
        return (count) => {
            const block = new Uint8Array(files.readAsArrayBuffer(blob.slice(at, at + count)));
            at += block.length;
            progress?.(blob.size ? at / blob.size : 1);
            return block;
        };
    };
    self.onmessage = async ({ data: { file, options } }) => {
        const module = await createOrvanto();
        let encoding = options.encoding;
        if (encoding === 'auto') {
            const found = module.detectBatchEncoding(reader(file));
            if (found.line !== undefined) {
                self.postMessage({ result: { error: `无法确定文件的编码：第 ${found.line} 行既不是有效的 UTF-8 文本，也不是有效的 GB18030 文本；可在“文件编码”中选定` } });
                return;
            }
            encoding = found.encoding;
        }
        const gb18030 = encoding === 'gb18030';
        const input = gb18030 ? new Blob([new TextEncoder().encode(new TextDecoder('gb18030').decode(await file.arrayBuffer()))]) : file;
        const blocks = [];
        const result = module.runBatch(reader(input, (fraction) => self.postMessage({ progress: fraction })),
            (view) => blocks.push(view.slice()), { ...options, byteOrderMark: gb18030 });
        self.postMessage({ result: { ...result, blocks } }, blocks.map((block) => block.buffer));
    };
}

function resultName(fileName) {
    const dot = fileName.lastIndexOf('.');
    const stem = dot > 0 ? fileName.slice(0, dot) : fileName;
    return `${stem}-结果.${/\.tsv$/i.test(fileName) ? 'tsv' : 'csv'}`;
}

export async function setUpBatch(calculator) {
    const module = await calculator;
    if (typeof module.runBatch !== 'function') {
        return;
    }
    const section = byId('batch');
    const chooser = byId('batch-file');
    const progress = byId('batch-progress');
    const cancel = byId('batch-cancel');
    const download = byId('batch-download');
    const status = byId('batch-status');
    const moduleText = document.getElementById('orvanto-module').textContent;
    const workerUrl = URL.createObjectURL(new Blob([moduleText, `\n(${workerMain})();`], { type: 'text/javascript' }));
    section.hidden = false;
    byId('batch-choose').hidden = false;
    byId('batch-choose').addEventListener('click', () => chooser.click());

    let worker = null;
    const finish = (text) => {
        worker?.terminate();
        worker = null;
        progress.hidden = true;
        cancel.hidden = true;
        status.textContent = text;
    };
    const start = async (file) => {
        finish('');
        download.hidden = true;
        const options = {
            seconds: [1, 2, 3].map((point) => byId(`batch-seconds${point}`).checked),
            format: byId('batch-format').value,
            encoding: byId('batch-encoding').value,
            name: file.name,
        };
        worker = new Worker(workerUrl);
        progress.value = 0;
        progress.hidden = false;
        cancel.hidden = false;
        status.textContent = `正在计算 ${file.name}…`;
        worker.onmessage = ({ data }) => {
            if (data.progress !== undefined) {
                progress.value = data.progress;
                return;
            }
            const { blocks, rows, failedRows, error } = data.result;
            if (error) {
                finish(`无法计算：${error}`);
                return;
            }
            URL.revokeObjectURL(download.href);
            download.href = URL.createObjectURL(new Blob(blocks));
            download.download = resultName(file.name);
            download.hidden = false;
            finish(`共 ${rows} 行，其中 ${failedRows} 行未能算出（原因见 error 列）。`);
        };
        worker.onerror = (event) => finish(`批量计算失败：${event.message}`);
        worker.postMessage({ file, options });
    };
    chooser.addEventListener('change', () => chooser.files[0] && start(chooser.files[0]));
    cancel.addEventListener('click', () => finish('已取消。'));
    document.addEventListener('dragover', (event) => event.preventDefault());
    document.addEventListener('drop', (event) => {
        event.preventDefault();
        const file = event.dataTransfer.files[0];
        if (file) {
            start(file);
        }
    });
}
