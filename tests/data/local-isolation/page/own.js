document.documentElement.dataset.ownScript = 'ran';
