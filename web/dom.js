// The page's elements by id, the texts of boxes by id as the module takes them (a box holding
// blanks only is an empty text, a box left blank), and a box that does not read told as such.
export const byId = (id) => document.getElementById(id);

export const boxTexts = (ids) => Object.fromEntries(ids.map((id) => [id, byId(id).value.trim() === '' ? '' : byId(id).value]));

// Enter in the box runs `action`, as Enter in a point's box computes; an input method's Enter,
// which ends its composition, does not.
export function runOnEnter(box, action) {
    box.addEventListener('keydown', (event) => {
        if (event.key === 'Enter' && !event.isComposing) {
            event.preventDefault();
            action();
        }
    });
}

// The status lines that say what is wrong, as against a box's own hint.
const isMessage = (id) => byId(id)?.getAttribute('role') === 'status';

// A box that does not read is marked invalid and described by the status line that says why.
export function markInvalid(box, message) {
    const ids = (box.getAttribute('aria-describedby') ?? '').split(' ').filter((id) => id && !isMessage(id));
    box.setAttribute('aria-describedby', [message.id, ...ids].join(' '));
    box.setAttribute('aria-invalid', 'true');
}

// A section's run takes the marks off the boxes it reads, before it marks the one that does not.
export function clearInvalid(boxes) {
    for (const box of boxes) {
        const ids = (box.getAttribute('aria-describedby') ?? '').split(' ').filter((id) => id && !isMessage(id));
        if (ids.length > 0) {
            box.setAttribute('aria-describedby', ids.join(' '));
        } else {
            box.removeAttribute('aria-describedby');
        }
        box.removeAttribute('aria-invalid');
    }
}

// The focus on `box`, scrolled so that the box and the message about it are both in view when
// they fit the screen together (on a phone the status line is often a screen away), else the box.
export function focusBeside(box, message) {
    box.focus({ preventScroll: true });
    const [a, b] = [box.getBoundingClientRect(), message.getBoundingClientRect()];
    const top = Math.min(a.top, b.top);
    const bottom = Math.max(a.bottom, b.bottom);
    if (bottom - top > innerHeight) {
        box.scrollIntoView({ block: 'nearest' });
    } else if (top < 0 || bottom > innerHeight) {
        scrollBy(0, top < 0 ? top : bottom - innerHeight);
    }
}

// A section's problem said in its status line, its box marked; a box of another section (磁差 and
// 自差 are the 航线 section's, far up the page) is named by the message and the focus stays on
// `origin`, what ran the command. `prefix` starts the ids of this section's boxes.
export function sayProblem({ error, box }, status, origin, prefix) {
    status.textContent = error;
    const marked = byId(box);
    markInvalid(marked, status);
    focusBeside(box.startsWith(prefix) ? marked : origin, status);
}
