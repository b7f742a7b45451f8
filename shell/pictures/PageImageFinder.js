// Lists every picture the document and its same-origin frames use, in document order, as JSON:
// {"pictures": [[address, label, width, height, alt, places, inFrame], ...],
//  "bytes": {address: decoded size, ...}}.
// Runs in the application's isolated world, so it works with the page's scripts off and the page
// cannot see it. It only reads: it starts no fetch and changes nothing in the page.
(() => {
    const kMaxFrameDepth = 16;
    const kSvgNamespace = 'http://www.w3.org/2000/svg';
    const kXlinkNamespace = 'http://www.w3.org/1999/xlink';
    const kLazyAddressAttributes = [ 'data-src', 'data-original', 'data-lazy-src' ];
    const kMetaPictureNames = new Set([
        'og:image', 'og:image:url', 'og:image:secure_url', 'twitter:image', 'twitter:image:src'
    ]);
    // Elements that are never rendered, so have no background of their own.
    const kUnstyled = new Set([
        'head', 'meta', 'link', 'script', 'style', 'title', 'base', 'template', 'noscript',
        'source', 'track', 'param'
    ]);
    const kFrameElements = new Set([ 'iframe', 'frame', 'object' ]);
    const kCssAddress =
        /url\(\s*(?:"((?:[^"\\]|\\[\s\S])*)"|'((?:[^'\\]|\\[\s\S])*)'|([^)\s]*))\s*\)/g;
    const kCssEscape = /\\(?:([0-9a-fA-F]{1,6})[ \t\n\r\f]?|([\s\S]))/g;

    const pictures = [];
    const bytes = {};

    function isSpace(c)
    {
        return c === ' ' || c === '\t' || c === '\n' || c === '\f' || c === '\r';
    }

    // The addresses of a srcset value's candidates, split as the HTML standard's srcset parser
    // splits them: an address runs to white space, so a comma inside it stays; commas that end
    // it are dropped; its descriptors run to the next comma outside parentheses and are dropped.
    function srcsetAddresses(text)
    {
        const found = [];
        const end = text.length;
        let at = 0;
        for (;;) {
            while (at < end && (isSpace(text[at]) || text[at] === ','))
                ++at;
            if (at >= end)
                return found;
            const start = at;
            while (at < end && !isSpace(text[at]))
                ++at;
            let address = text.slice(start, at);
            if (address.endsWith(',')) {
                address = address.replace(/,+$/, '');
            } else {
                let inParentheses = false;
                for (; at < end; ++at) {
                    const c = text[at];
                    if (inParentheses) {
                        inParentheses = c !== ')';
                    } else if (c === '(') {
                        inParentheses = true;
                    } else if (c === ',') {
                        ++at;
                        break;
                    }
                }
            }
            found.push(address);
        }
    }

    function cssUnescape(text)
    {
        return text.replace(kCssEscape, (escape, hex, character) => {
            if (hex === undefined)
                return character === '\n' ? '' : character;
            const code = parseInt(hex, 16);
            const valid = code > 0 && code <= 0x10ffff && (code < 0xd800 || code > 0xdfff);
            return valid ? String.fromCodePoint(code) : '\ufffd';
        });
    }

    // Every url(...) of a CSS value, unquoted and unescaped.
    function cssAddresses(value)
    {
        if (!value || value.indexOf('url(') < 0)
            return [];
        const found = [];
        for (const match of value.matchAll(kCssAddress)) {
            const quoted = match[1] !== undefined ? match[1] : match[2];
            found.push(quoted !== undefined ? cssUnescape(quoted) : cssUnescape(match[3]));
        }
        return found;
    }

    // `text` resolved against the document's base address; empty for no address, a script
    // address or one that does not parse.
    function resolve(text, doc)
    {
        const address = text.trim();
        if (!address || /^javascript:/i.test(address))
            return '';
        try {
            return new URL(address, doc.baseURI).href;
        } catch (e) {
            return '';
        }
    }

    function addByteCounts(view)
    {
        let sizes;
        try {
            sizes = view && view.__varrowResourceBytes;
        } catch (e) {
            return;
        }
        if (sizes)
            sizes.forEach((size, address) => { bytes[address] = size; });
    }

    // The pictures one element uses. Each address counts as one place of the element, however
    // many of its attributes name it.
    function visitElement(element, doc, view, inFrame)
    {
        const here = new Set();
        let alt = '';
        const add = (address, label, width, height) => {
            if (!address)
                return;
            const places = here.has(address) ? 0 : 1;
            here.add(address);
            pictures.push([ address, label, width || 0, height || 0, alt, places, inFrame ]);
        };
        const addAll = (addresses, label) => {
            for (const address of addresses)
                add(resolve(address, doc), label);
        };
        const name = element.localName;
        if (element.namespaceURI === kSvgNamespace) {
            if (name === 'image') {
                const href = element.getAttribute('href') ||
                             element.getAttributeNS(kXlinkNamespace, 'href') || '';
                add(resolve(href, doc), 'svg');
            }
        } else if (name === 'img') {
            alt = element.getAttribute('alt') || '';
            const srcset = element.getAttribute('srcset') || '';
            const parent = element.parentElement;
            // Without any address of its own, an img's src is the base address: no picture.
            if ((element.getAttribute('src') || '').trim() || srcset.trim() ||
                (parent && parent.localName === 'picture')) {
                const current = element.currentSrc;
                const decoded = element.complete && element.naturalWidth > 0;
                add(current, 'img', decoded ? element.naturalWidth : 0,
                    decoded ? element.naturalHeight : 0);
                if (element.src !== current)
                    add(element.src, 'img');
                addAll(srcsetAddresses(srcset), 'srcset');
            }
        } else if (name === 'source') {
            const parent = element.parentElement;
            if (parent && parent.localName === 'picture') {
                const img = parent.querySelector('img');
                alt = (img && img.getAttribute('alt')) || '';
                addAll(srcsetAddresses(element.getAttribute('srcset') || ''), 'picture');
            }
        } else if (name === 'input') {
            if ((element.getAttribute('type') || '').toLowerCase() === 'image') {
                alt = element.getAttribute('alt') || '';
                add(element.src, 'img');
            }
        } else if (name === 'video') {
            add(element.poster, 'poster');
        } else if (name === 'meta') {
            const key = (element.getAttribute('property') || element.getAttribute('name') || '');
            if (kMetaPictureNames.has(key.toLowerCase()))
                add(resolve(element.getAttribute('content') || '', doc), 'meta');
        } else if (name === 'link') {
            if (Array.from(element.relList).some((rel) => rel.toLowerCase().includes('icon')))
                add(resolve(element.getAttribute('href') || '', doc), 'meta');
        }

        if (element.hasAttributes()) {
            for (const attribute of kLazyAddressAttributes) {
                const value = element.getAttribute(attribute);
                if (value !== null)
                    add(resolve(value, doc), 'lazy');
            }
            const lazySrcset = element.getAttribute('data-srcset');
            if (lazySrcset !== null)
                addAll(srcsetAddresses(lazySrcset), 'lazy');
            const lazyBackground = element.getAttribute('data-bg');
            if (lazyBackground !== null) {
                const inCss = cssAddresses(lazyBackground);
                addAll(inCss.length ? inCss : [ lazyBackground ], 'lazy');
            }
        }

        if (view && !kUnstyled.has(name)) {
            addAll(cssAddresses(view.getComputedStyle(element).backgroundImage), 'css');
            for (const pseudo of ['::before', '::after']) {
                const style = view.getComputedStyle(element, pseudo);
                const content = style.content;
                if (content === 'none' || content === 'normal')
                    continue; // no such pseudo-element is generated
                addAll(cssAddresses(style.backgroundImage), 'css');
                addAll(cssAddresses(content), 'css');
            }
        }
    }

    // The elements under `root` in document order, open shadow trees at their hosts, and
    // same-origin frames' documents at their frame elements.
    function visitTree(root, doc, view, inFrame, depth)
    {
        for (const element of root.querySelectorAll('*')) {
            visitElement(element, doc, view, inFrame);
            if (element.shadowRoot)
                visitTree(element.shadowRoot, doc, view, inFrame, depth);
            if (kFrameElements.has(element.localName) && depth < kMaxFrameDepth) {
                let inner = null;
                try {
                    inner = element.contentDocument;
                } catch (e) {
                    inner = null; // another origin's document
                }
                if (inner)
                    visitDocument(inner, true, depth + 1);
            }
        }
    }

    function visitDocument(doc, inFrame, depth)
    {
        const view = doc.defaultView;
        addByteCounts(view);
        visitTree(doc, doc, view, inFrame, depth);
    }

    visitDocument(document, false, 0);
    return JSON.stringify({pictures : pictures, bytes : bytes});
})();
